// Reading the small text files a flyer may name (parameter, calibration and settings files)
// through a bound: they are a few kilobytes, so anything much larger, and anything that is not a
// regular file (a device such as /dev/zero, a FIFO, a folder), is refused before it can block the
// program or fill its memory.
#pragma once

#include <optional>
#include <string>

namespace orvale {

// Far above any real parameter, calibration or settings file.
constexpr size_t kSmallFileLimit = 1024 * 1024;

struct SmallFile {
    enum Status { Read, Missing, Refused, ReadError };
    Status status = Read;
    // Everything read; after a read error, what was read before it.
    std::string bytes;
    // For Refused and ReadError: "Unable to read <path> (<reason>)".
    std::string failure;
};

// The file's bytes. A name that does not exist (or whose folder does not) is Missing; one that
// cannot be opened or read is a ReadError with the system's reason.
SmallFile ReadSmallFile(const std::string& path);

// The bytes of the file, nothing when it is missing; raises FileError with the failure
// otherwise.
std::optional<std::string> ReadSmallFileOrThrow(const std::string& path);

}  // namespace orvale
