#include "device/capture_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "core/file_error.h"
#include "files/path_lookup.h"

namespace orvale {

namespace {

[[noreturn]] void FailOn(const std::string& path, int error) {
    throw FileError("Unable to write to " + path + " (" + std::strerror(error) + ")");
}

// A hidden name beside target that no file has yet, created empty; -1 when none could be made.
int CreateBeside(const std::string& target, const char* kind, std::string& path) {
    const std::string folder = DirectoryPart(target);
    const std::string name = target.substr(folder.size());
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        path =
            folder + "." + name + kind + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        // 0666 less the umask, as for any data file the program writes.
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    return fd;
}

// The old file's bytes under a hidden name, so that it can be put back: a second name for the
// same file where the file system allows it, otherwise a copy. Empty when target does not exist.
std::string KeepOldFile(const std::string& target) {
    struct stat st;
    if (::stat(target.c_str(), &st) != 0)
        return {};
    std::string backup;
    int out = CreateBeside(target, ".old", backup);
    if (out < 0)
        FailOn(target, errno);
    ::close(out);
    ::unlink(backup.c_str());
    if (::link(target.c_str(), backup.c_str()) == 0)
        return backup;
    // File systems without hard links (a FAT-formatted stick): copy its few kilobytes.
    out = ::open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777);
    const int in = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    int error = out < 0 || in < 0 ? errno : 0;
    char block[4096];
    for (ssize_t n; error == 0 && (n = ::read(in, block, sizeof block)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || ::write(out, block, static_cast<size_t>(n)) != n)
            error = errno != 0 ? errno : ENOSPC;
    }
    if (in >= 0)
        ::close(in);
    if (out >= 0 && ::close(out) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(backup.c_str());
        FailOn(target, error);
    }
    return backup;
}

// The new file takes the permission bits of the one it replaces, as a rewrite in place would.
void KeepMode(const std::string& target, const std::string& replacement) {
    struct stat st;
    if (::stat(target.c_str(), &st) == 0)
        ::chmod(replacement.c_str(), st.st_mode & 07777);
}

void SyncFolder(const std::string& target) {
    const std::string folder = DirectoryPart(target);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Reads digits from the end of text backwards; the number, or -1 when there are none.
long TakeNumberFromEnd(std::string_view& text) {
    size_t start = text.size();
    while (start > 0 && std::isdigit(static_cast<unsigned char>(text[start - 1])))
        --start;
    if (start == text.size() || text.size() - start > 9)
        return -1;
    const long value = std::stol(std::string(text.substr(start)));
    text.remove_suffix(text.size() - start);
    return value;
}

bool TakeSuffix(std::string_view& text, std::string_view suffix) {
    if (text.size() < suffix.size() || text.substr(text.size() - suffix.size()) != suffix)
        return false;
    text.remove_suffix(suffix.size());
    return true;
}

bool EndsWithFlightExtension(std::string_view name) {
    if (name.size() < 5)
        return false;
    std::string ext(name.substr(name.size() - 4));
    for (char& c : ext)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext == ".DAT" || ext == ".PAR";
}

bool ProcessGone(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

long TemporaryOwner(const std::string& fileName) {
    std::string_view name = fileName;
    if (name.size() < 2 || name[0] != '.')
        return 0;
    name.remove_prefix(1);
    // ".part" PID "-" N, or "." PID "." N.
    std::string_view rest = name;
    if (TakeNumberFromEnd(rest) < 0)
        return 0;
    long pid = -1;
    if (TakeSuffix(rest, "-")) {
        pid = TakeNumberFromEnd(rest);
        if (pid <= 0 || !TakeSuffix(rest, ".part"))
            return 0;
    } else if (TakeSuffix(rest, ".")) {
        pid = TakeNumberFromEnd(rest);
        if (pid <= 0 || !TakeSuffix(rest, "."))
            return 0;
    } else {
        return 0;
    }
    // What is left names the file it stood in for: a flight's file, or (a parameter file
    // rewritten into a capture's temporary file) another of these names.
    if (EndsWithFlightExtension(rest) || TemporaryOwner(std::string(rest)) != 0)
        return pid;
    return 0;
}

int SweepStaleTemporaries(const std::string& folder, std::time_t now) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const long pid = TemporaryOwner(name);
        if (pid == 0)
            continue;
        const std::string path = folder + name;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        const double idle = std::difftime(now, st.st_mtime);
        const bool stale = idle >= 86400.0 || (idle >= kStaleMinutes * 60.0 && ProcessGone(pid));
        if (stale && ::unlink(path.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

CaptureFile::CaptureFile(std::string target) : target_(std::move(target)) {
    fd_ = CreateBeside(target_, ".part", tempPath_);
    if (fd_ < 0) {
        const int error = errno;
        tempPath_.clear();
        throw FileError("Unable to create " + target_ + " (" + std::strerror(error) + ")");
    }
}

CaptureFile::~CaptureFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !tempPath_.empty())
        ::unlink(tempPath_.c_str());
}

void CaptureFile::Fail(int error) {
    FailOn(target_, error);
}

void CaptureFile::Write(const uint8_t* bytes, size_t count) {
    while (count > 0) {
        const ssize_t n = ::write(fd_, bytes, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            Fail(errno);
        if (n == 0)
            Fail(ENOSPC);
        bytes += n;
        count -= static_cast<size_t>(n);
    }
}

void CaptureFile::Finish() {
    if (fd_ < 0)
        return;
    if (::fsync(fd_) != 0)
        Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        Fail(errno);
}

void CaptureFile::Commit() {
    Finish();
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0)
        Fail(errno);
    committed_ = true;
}

void CheckReplaceable(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return;
        FailOn(path, errno);
    }
    if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0)
        return;  // a dangling link is replaced like a missing file
    if (S_ISDIR(st.st_mode))
        throw FileError("Unable to write to " + path + " (it is a folder)");
    if (!S_ISREG(st.st_mode))
        throw FileError("Unable to write to " + path + " (it is not a regular file)");
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
        throw FileError("Unable to write to " + path + " (the file is read-only)");
}

void ReplacePair(CaptureFile& first, CaptureFile& second) {
    first.Finish();
    second.Finish();
    CheckReplaceable(first.target_);
    CheckReplaceable(second.target_);
    KeepMode(first.target_, first.tempPath_);
    KeepMode(second.target_, second.tempPath_);
    const std::string backup = KeepOldFile(first.target_);
    if (::rename(first.tempPath_.c_str(), first.target_.c_str()) != 0) {
        const int error = errno;
        if (!backup.empty())
            ::unlink(backup.c_str());
        FailOn(first.target_, error);
    }
    first.committed_ = true;
    if (::rename(second.tempPath_.c_str(), second.target_.c_str()) != 0) {
        const int error = errno;
        // Put the first file back as it was: the pair changes whole or not at all.
        if (backup.empty())
            ::unlink(first.target_.c_str());
        else
            ::rename(backup.c_str(), first.target_.c_str());
        FailOn(second.target_, error);
    }
    second.committed_ = true;
    if (!backup.empty())
        ::unlink(backup.c_str());
    SyncFolder(first.target_);
}

}  // namespace orvale
