// Finding the program's files on a file system where names have a letter case. The program
// names its files ".PAR" or ".par", "DEFAULT.PAR", "RAMFILE.TMP", "QUENDA.INI", while the files
// a flyer copies over may be spelt any way.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orvale {

// directory + name, spelt as the file on disk is. directory is empty (the current directory) or
// ends with '/'; name is a single file name. When directory + name exists it is returned as it
// stands. Otherwise the entry of the folder that equals name without regard to ASCII letter case
// is taken; when there are several, the first in byte order ("Default.par" before
// "default.PAR"), so the choice does not depend on the order the folder lists them. With none,
// directory + name comes back unchanged, ready to create.
std::string ResolveCaseInsensitive(const std::string& directory, const std::string& name);

// While one lives (on this thread), ResolveCaseInsensitive lists each folder once and reuses the
// list: for reading many flights of one folder at once (the logbook), which otherwise lists the
// whole folder for every file it looks for. Only for work during which the folders do not change.
class FolderListingCache {
public:
    FolderListingCache();
    ~FolderListingCache();
    FolderListingCache(const FolderListingCache&) = delete;
    FolderListingCache& operator=(const FolderListingCache&) = delete;

    // The folder's entry names in byte order; empty when it cannot be listed.
    const std::vector<std::string>& Names(const std::string& directory);

private:
    FolderListingCache* outer_;
    std::map<std::string, std::vector<std::string>> listings_;
};

// The same for a whole path; only its last part is looked up.
std::string ResolvePath(const std::string& path);

// The folder of a path, up to and including the last '/'; empty when there is none.
std::string DirectoryPart(std::string_view path);

// The file name of a path (at most 64 characters) without extension: everything from its first
// "." on is dropped, so "A.B.DAT" gives "A".
std::string BaseName(std::string_view path);

// A folder name ending with '/', the way the program keeps folders so that file names can be
// appended directly; an empty name (the current directory) stays empty.
std::string WithSeparator(std::string folder);

// Whether a file, folder or anything else exists at path.
bool PathExists(const std::string& path);

// Whether something other than a folder exists at path.
bool FileExists(const std::string& path);

}  // namespace orvale
