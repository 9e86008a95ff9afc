#include "device/free_space.h"

#include <sys/statvfs.h>

#include <cerrno>
#include <cstring>

#include "core/file_error.h"

namespace orvale {

uint64_t VolumeFreeBytes(const std::string& folder, const std::string& path) {
    struct statvfs info;
    if (::statvfs(folder.empty() ? "." : folder.c_str(), &info) != 0)
        throw FileError("Unable to create " + path + " (" + std::strerror(errno) + ")");
    return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
}

bool RoomForImage(uint64_t freeBytes, uint64_t replacedFileBytes) {
    return (freeBytes + replacedFileBytes) / 1024 >= 8;
}

}  // namespace orvale
