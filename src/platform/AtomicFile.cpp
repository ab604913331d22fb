#include "platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace valmore {

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kTemporarySuffixLength = 6;  // the XXXXXX of mkstemp

std::string Describe(const std::filesystem::path& file, const char* what) {
    return file.string() + ": " + what + ": " + std::strerror(errno);
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    std::filesystem::path dir = target.parent_path();
    return dir.empty() ? std::filesystem::path(".") : dir;
}

// ".NAME.tmp-", the start of every temporary file name of the target.
std::string TemporaryPrefix(const std::filesystem::path& target) {
    return "." + target.filename().string() + std::string(kTemporaryMark);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when the name still leads to the open file: a cleaner may have removed it between mkstemp and
// the lock, or a writer may have renamed it into place since it was opened.
bool NameStillHolds(const std::string& name, int fd) {
    struct stat byName {
    }, byFd{};
    return ::stat(name.c_str(), &byName) == 0 && ::fstat(fd, &byFd) == 0 && SameFile(byName, byFd);
}

// Creates and locks a fresh temporary file. The lock is what tells a cleaner that the file is alive.
int CreateLockedTemporary(const std::filesystem::path& target, std::string* name) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        *name = FolderOf(target).string() + "/" + TemporaryPrefix(target) + "XXXXXX";
        // Not inherited by a child: a forked process holding the lock would keep the file "alive".
        int fd = mkostemp(name->data(), O_CLOEXEC);
        if (fd < 0) return -1;
        int locked;
        do {
            locked = ::flock(fd, LOCK_EX);
        } while (locked != 0 && errno == EINTR);
        if (locked == 0 && NameStillHolds(*name, fd)) return fd;
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

bool IsTemporaryName(const std::string& entry, const std::string& prefix) {
    return entry.size() == prefix.size() + kTemporarySuffixLength && entry.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

int RemoveLeftoverTemporaries(const std::filesystem::path& target) {
    const std::string folder = FolderOf(target).string();
    const std::string prefix = TemporaryPrefix(target);
    std::vector<std::string> candidates;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (IsTemporaryName(entry->d_name, prefix)) candidates.push_back(folder + "/" + entry->d_name);
        }
        ::closedir(dir);
    }
    int removed = 0;
    for (const std::string& name : candidates) {
        int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        // A lock we can take belongs to no living writer; the name is checked again under the lock, as
        // the writer may have renamed the file into place just before letting go.
        struct stat info {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            NameStillHolds(name, fd) && ::unlink(name.c_str()) == 0) {
            ++removed;
        }
        ::close(fd);
    }
    return removed;
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error,
                         unsigned permissions, int* errorNumber) {
    RemoveLeftoverTemporaries(target);
    std::string temporary;
    int fd = CreateLockedTemporary(target, &temporary);
    if (fd < 0) {
        if (errorNumber) *errorNumber = errno;
        if (error) *error = Describe(target, "cannot create a temporary file");
        return false;
    }
    auto fail = [&](const char* what) {
        if (errorNumber) *errorNumber = errno;
        if (error) *error = Describe(target, what);
        ::unlink(temporary.c_str());
        ::close(fd);
        return false;
    };
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("cannot write");
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // The data must be on disk before the rename makes it the file, or a crash could leave it empty.
    if (::fsync(fd) != 0 || ::fchmod(fd, static_cast<mode_t>(permissions)) != 0) return fail("cannot flush");
    // Renamed while still open and locked, so no cleaner can take the file for a leftover in between.
    if (std::rename(temporary.c_str(), target.c_str()) != 0) return fail("cannot replace");
    // The bytes were flushed before the rename, so nothing a close could report is lost.
    ::close(fd);
    return true;
}

std::filesystem::path FreeAsideName(const std::filesystem::path& file) {
    std::filesystem::path name = file;
    name += ".damaged";
    std::error_code error;
    for (int n = 2; std::filesystem::exists(name, error); ++n) {
        name = file;
        name += ".damaged-" + std::to_string(n);
    }
    return name;
}

bool KeepAside(const std::filesystem::path& file, std::string* error, int* errorNumber) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0 && errno == ENOENT) return true;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::filesystem::path aside = FreeAsideName(file);
        // A hard link fails on an existing name, where a rename would silently replace it.
        if (::link(file.c_str(), aside.c_str()) == 0) {
            ::unlink(file.c_str());
            return true;
        }
        if (errno == EEXIST) continue;
        // Folders that hold no hard links still allow a rename to the free name.
        if ((errno == EPERM || errno == EOPNOTSUPP) && std::rename(file.c_str(), aside.c_str()) == 0) return true;
        break;
    }
    if (errorNumber) *errorNumber = errno;
    if (error) *error = Describe(file, "cannot keep the damaged file aside");
    return false;
}

bool ReadWholeFile(const std::filesystem::path& file, std::string* bytes) {
    // Plain reads into a string sized from the file: a stream read byte by byte cost more than the
    // parsing of the stores that are read at every start.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return false;
    }
    std::string read;
    // The size is a first guess only: the file may grow while it is read, and some files report none.
    std::size_t capacity = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096;
    std::size_t used = 0;
    for (;;) {
        if (used == read.size()) read.resize(std::max(capacity, read.size() * 2));
        const ssize_t got = ::read(fd, read.data() + used, read.size() - used);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            return false;
        }
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    ::close(fd);
    read.resize(used);
    *bytes = std::move(read);
    return true;
}

}  // namespace valmore
