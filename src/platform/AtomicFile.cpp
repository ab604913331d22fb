#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace valmore {

namespace {

std::string Describe(const std::filesystem::path& file, const char* what) {
    return file.string() + ": " + what + ": " + std::strerror(errno);
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error,
                         unsigned permissions) {
    std::filesystem::path dir = target.parent_path();
    std::string pattern = (dir.empty() ? std::filesystem::path(".") : dir).string() + "/." +
                          target.filename().string() + ".tmp-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) {
        if (error) *error = Describe(target, "cannot create a temporary file");
        return false;
    }
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (error) *error = Describe(target, "cannot write");
            ::close(fd);
            ::unlink(pattern.c_str());
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // The data must be on disk before the rename makes it the file, or a crash could leave it empty.
    if (::fsync(fd) != 0 || ::fchmod(fd, static_cast<mode_t>(permissions)) != 0) {
        if (error) *error = Describe(target, "cannot flush");
        ::close(fd);
        ::unlink(pattern.c_str());
        return false;
    }
    if (::close(fd) != 0) {
        if (error) *error = Describe(target, "cannot close");
        ::unlink(pattern.c_str());
        return false;
    }
    if (std::rename(pattern.c_str(), target.c_str()) != 0) {
        if (error) *error = Describe(target, "cannot replace");
        ::unlink(pattern.c_str());
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::filesystem::path& file, std::string* bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace valmore
