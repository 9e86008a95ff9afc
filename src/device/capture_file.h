// The file a download is received into: a new file beside the capture file that takes its
// place only once the transfer has been verified. A failed, cancelled or corrupted transfer so
// never destroys a flight kept under the same name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
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
    // Flushes the file to the disk and closes it: it is complete, ready to take its place.
    void Finish();
    // Finish, then renames it over the capture file.
    void Commit();

    const std::string& Target() const { return target_; }
    const std::string& TemporaryPath() const { return tempPath_; }

private:
    [[noreturn]] void Fail(int error);

    friend void ReplacePair(CaptureFile& first, CaptureFile& second);

    std::string target_;
    std::string tempPath_;
    int fd_ = -1;
    bool committed_ = false;
};

// Whether the file at path may be replaced: a missing file may; a read-only file keeps its
// contents (a rename would get round that, so it is checked first), and a folder or anything
// other than a regular file cannot be. Throws FileError "Unable to write to " path.
void CheckReplaceable(const std::string& path);

// Replaces a flight's pair: both temporary files must be finished. Both targets are checked
// replaceable before either is replaced, each new file keeps the permission bits of the file it
// replaces, and when the second rename fails the first target gets its old file back (or is
// removed when it was new), so on any failure neither old file has changed. Throws FileError.
void ReplacePair(CaptureFile& first, CaptureFile& second);

// Temporary files left by a capture that never finished (the tool was killed, the machine went
// down) are removed when the next capture starts in that folder. Only names of the program's own
// making count: "." + a data or parameter file's name + ".part" + process id + "-" + number
// (a download or parameter file in progress), and the same name + "." + process id + "." +
// number (a parameter file being rewritten). Such a file is stale when it has not changed for
// kStaleMinutes and the process that made it is gone, or has not changed for a day whatever
// its process (its number may have been given to another process since, or it came from another
// machine sharing the folder). Backups of replaced files (".old") are never removed here: after
// a crash one may hold the only copy of a flight. Returns how many files were removed.
inline constexpr int kStaleMinutes = 10;
int SweepStaleTemporaries(const std::string& folder, std::time_t now);

// The process id in a name of the program's own temporary files; 0 for any other name.
long TemporaryOwner(const std::string& name);

}  // namespace orvale
