#include "files/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/file_error.h"

namespace orvale {

namespace {

std::string Reason(int error) {
    return std::string(" (") + std::strerror(error) + ")";
}

bool IsDiskFull(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

// Writes every byte or returns the errno of the failure (0 on success).
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

// The file a symbolic link points to, so that a linked settings file stays linked.
std::string FollowLink(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

// A fresh file beside target. Not mkstemp: it creates the file with mode 0600, which would make
// a new settings file private; open with 0666 lets the umask decide, as for any other file.
// A file made read-only keeps its contents: writing into it in place would fail, and neither a
// replacement by rename (which needs only a writable folder) nor a privileged user may get round
// that. Throws "Unable to write to" the path.
void RefuseReadOnly(const std::string& target, const std::string& shownPath) {
    struct stat current;
    if (::stat(target.c_str(), &current) != 0 || !S_ISREG(current.st_mode))
        return;
    if ((current.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
        throw FileError("Unable to write to " + shownPath + " (the file is read-only)");
}

int CreateTemporary(const std::string& target, std::string& tempPath) {
    static std::atomic<unsigned> counter = 0;
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "." + name + "." + std::to_string(::getpid()) + "." +
                   std::to_string(++counter);
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Makes the rename itself durable; a failure here loses nothing that the flyer could act on.
void SyncFolder(const std::string& target) {
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

class RealSource : public FileSource {
public:
    RealSource(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~RealSource() override { ::close(fd_); }

    size_t Read(void* buffer, size_t size) override {
        for (;;) {
            ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0)
                return static_cast<size_t>(n);
            if (errno != EINTR)
                throw FileError("Unable to read " + path_ + Reason(errno));
        }
    }

private:
    int fd_;
    std::string path_;
};

class RealSink : public FileSink {
public:
    RealSink(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~RealSink() override {
        if (fd_ >= 0)
            ::close(fd_);
    }

    size_t Write(const void* data, size_t size) override {
        const char* bytes = static_cast<const char*>(data);
        size_t done = 0;
        while (done < size) {
            ssize_t n = ::write(fd_, bytes + done, size - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && !IsDiskFull(errno))
                throw FileError("Unable to write to " + path_ + Reason(errno));
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        return done;
    }

    bool Close() override {
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) == 0)
            return true;
        if (IsDiskFull(errno))
            return false;
        throw FileError("Unable to write to " + path_ + Reason(errno));
    }

private:
    int fd_;
    std::string path_;
};

class RealLayer : public FileLayer {
public:
    std::unique_ptr<FileSource> OpenForReading(const std::string& path) override {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw FileError("Unable to open " + path + Reason(errno));
        return std::make_unique<RealSource>(fd, path);
    }

    std::unique_ptr<FileSink> Create(const std::string& path) override {
        RefuseReadOnly(path, path);
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0)
            throw FileError("Unable to create " + path + Reason(errno));
        return std::make_unique<RealSink>(fd, path);
    }
};

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = FollowLink(path);
    RefuseReadOnly(target, path);
    std::string tempPath;
    int fd = CreateTemporary(target, tempPath);
    if (fd < 0)
        throw FileError("Unable to write to " + path + Reason(errno));

    int error = WriteAll(fd, bytes);
    struct stat old;
    if (error == 0 && ::stat(target.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(tempPath.c_str());
        throw FileError("Unable to write to " + path + Reason(error));
    }
    SyncFolder(target);
}

FileSource::~FileSource() = default;
FileSink::~FileSink() = default;
FileLayer::~FileLayer() = default;

FileLayer& RealFileLayer() {
    static RealLayer layer;
    return layer;
}

CopyResult CopyFileContents(const std::string& from, const std::string& to, FileLayer& layer) {
    std::unique_ptr<FileSource> source = layer.OpenForReading(from);
    std::unique_ptr<FileSink> sink = layer.Create(to);
    CopyResult result;
    char block[4096];
    for (;;) {
        size_t got = source->Read(block, sizeof block);
        if (got == 0)
            break;
        size_t put = sink->Write(block, got);
        result.bytesCopied += put;
        if (put < got) {
            sink->Close();
            return result;
        }
    }
    result.complete = sink->Close();
    return result;
}

}  // namespace orvale
