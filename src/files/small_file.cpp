#include "files/small_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/file_error.h"

namespace orvale {

namespace {

std::string Failure(const std::string& path, const std::string& reason) {
    return "Unable to read " + path + " (" + reason + ")";
}

}  // namespace

SmallFile ReadSmallFile(const std::string& path) {
    SmallFile file;
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        file.status =
            error == ENOENT || error == ENOTDIR ? SmallFile::Missing : SmallFile::ReadError;
        if (file.status == SmallFile::ReadError)
            file.failure = Failure(path, std::strerror(error));
        return file;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        file.status = SmallFile::ReadError;
        file.failure = Failure(path, std::strerror(errno));
    } else if (!S_ISREG(st.st_mode)) {
        file.status = SmallFile::Refused;
        file.failure =
            Failure(path, S_ISDIR(st.st_mode) ? "a folder, not a file" : "not a regular file");
    } else if (st.st_size > static_cast<off_t>(kSmallFileLimit)) {
        file.status = SmallFile::Refused;
        file.failure = Failure(path, "larger than 1 MiB");
    }
    if (file.status != SmallFile::Read) {
        ::close(fd);
        return file;
    }
    // The size found above may be wrong (files under /proc report 0) or the file may grow while
    // it is read, so the reading itself stops one byte past the bound.
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            file.status = SmallFile::ReadError;
            file.failure = Failure(path, std::strerror(errno));
            break;
        }
        if (n == 0)
            break;
        file.bytes.append(buffer, static_cast<size_t>(n));
        if (file.bytes.size() > kSmallFileLimit) {
            file.status = SmallFile::Refused;
            file.failure = Failure(path, "larger than 1 MiB");
            file.bytes.clear();
            break;
        }
    }
    ::close(fd);
    return file;
}

std::optional<std::string> ReadSmallFileOrThrow(const std::string& path) {
    SmallFile file = ReadSmallFile(path);
    if (file.status == SmallFile::Missing)
        return std::nullopt;
    if (file.status != SmallFile::Read)
        throw FileError(file.failure);
    return std::move(file.bytes);
}

}  // namespace orvale
