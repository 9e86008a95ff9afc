// Room on the disk for a downloaded image.
#pragma once

#include <cstdint>
#include <string>

namespace orvale {

// Free bytes available to this user on the volume that holds folder. Throws FileError naming
// path when the volume cannot be examined (the folder does not exist).
uint64_t VolumeFreeBytes(const std::string& folder, const std::string& path);

// The download's check: the free space plus the size of the file about to be replaced, in whole
// kilobytes, must be at least the 8 KB of an image.
bool RoomForImage(uint64_t freeBytes, uint64_t replacedFileBytes);

}  // namespace orvale
