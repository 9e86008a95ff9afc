// The file a download is received into: a new file beside the capture file that takes its
// place only once the transfer has been verified. A failed, cancelled or corrupted transfer so
// never destroys a flight kept under the same name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvale {

class CaptureFile {
public:
    // Creates the temporary file at once, so that a folder that cannot be written is reported
    // before anything is asked of the recorder. Throws FileError naming the capture file.
    explicit CaptureFile(std::string target);
    // Removes the temporary file unless it was committed.
    ~CaptureFile();
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    void Write(const uint8_t* bytes, size_t count);
    // Flushes the file to the disk and renames it over the capture file.
    void Commit();

    const std::string& TemporaryPath() const { return tempPath_; }

private:
    [[noreturn]] void Fail(int error);

    std::string target_;
    std::string tempPath_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace orvale
