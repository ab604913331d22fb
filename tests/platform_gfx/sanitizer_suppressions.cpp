// Leaks inside system libraries that nothing on our side can release: fontconfig keeps part of the
// configuration it parsed at start-up, and the session-bus library keeps a buffer after SDL has
// closed its connection. Everything the drawing layer allocates itself is still checked.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
