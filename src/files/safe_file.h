// Writing files so that a failure never leaves a flyer with half a file: the settings and
// parameter files are replaced in one step, and copies of flight data report when they stopped
// short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orvale {

// Replaces (or creates) the file at path with bytes. The bytes go to a new file in the same
// folder, which is flushed to the disk and then renamed over the target, so readers see the old
// file or the new one, never a mixture. The new file keeps the old one's permission bits; a new
// target gets the usual ones (0666 less the umask). A symbolic link is followed: the file it
// points to is replaced and the link stays.
//
// On failure the temporary file is removed, the target is untouched, and FileError is raised
// with the text "Unable to write to " path, followed by the system's reason in brackets.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// The file layer that copies go through, so that tests can make the disk fill up.

class FileSource {
public:
    virtual ~FileSource();
    // Up to size bytes into buffer; 0 at the end of the file. Raises FileError on a read error.
    virtual size_t Read(void* buffer, size_t size) = 0;
};

class FileSink {
public:
    virtual ~FileSink();
    // Writes size bytes and returns how many were taken: fewer than size means the disk is full.
    // Raises FileError on any other error.
    virtual size_t Write(const void* data, size_t size) = 0;
    // Ends the file. False when the disk turned out to be full only now (some file systems report
    // it at closing); raises FileError on any other error.
    virtual bool Close() = 0;
};

class FileLayer {
public:
    virtual ~FileLayer();
    // Raise FileError naming the path and the system's reason when the file cannot be opened.
    virtual std::unique_ptr<FileSource> OpenForReading(const std::string& path) = 0;
    // Creates the file, or empties an existing one.
    virtual std::unique_ptr<FileSink> Create(const std::string& path) = 0;
};

// The real file system.
FileLayer& RealFileLayer();

struct CopyResult {
    // False when a write took fewer bytes than it was given (disk full): the target then holds
    // only part of the source, and it is for the caller to remove it and tell the flyer.
    bool complete = false;
    uint64_t bytesCopied = 0;
};

// Copies the file from into the file to (created or emptied) in blocks of 4096 bytes, stopping
// at the end of from or at the first short write.
CopyResult CopyFileContents(const std::string& from, const std::string& to, FileLayer& layer);

}  // namespace orvale
