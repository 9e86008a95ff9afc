#include "device/capture_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/file_error.h"
#include "files/path_lookup.h"

namespace orvale {

CaptureFile::CaptureFile(std::string target) : target_(std::move(target)) {
    const std::string folder = DirectoryPart(target_);
    const std::string name = target_.substr(folder.size());
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        tempPath_ = folder + "." + name + ".part" + std::to_string(::getpid()) + "-" +
                    std::to_string(attempt);
        // 0666 less the umask, as for any data file the program writes.
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
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
    throw FileError("Unable to write to " + target_ + " (" + std::strerror(error) + ")");
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

void CaptureFile::Commit() {
    if (::fsync(fd_) != 0)
        Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        Fail(errno);
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0)
        Fail(errno);
    committed_ = true;
}

}  // namespace orvale
