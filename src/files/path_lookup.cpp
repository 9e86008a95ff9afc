#include "files/path_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "core/text_format.h"
#include "files/ascii_text.h"

namespace orvale {

namespace {

thread_local FolderListingCache* activeCache = nullptr;

}  // namespace

FolderListingCache::FolderListingCache() : outer_(activeCache) {
    activeCache = this;
}

FolderListingCache::~FolderListingCache() {
    activeCache = outer_;
}

const std::vector<std::string>& FolderListingCache::Names(const std::string& directory) {
    auto [at, added] = listings_.try_emplace(directory);
    if (!added)
        return at->second;
    if (DIR* folder = ::opendir(directory.empty() ? "." : directory.c_str())) {
        while (const dirent* entry = ::readdir(folder))
            at->second.emplace_back(entry->d_name);
        ::closedir(folder);
    }
    std::sort(at->second.begin(), at->second.end());
    return at->second;
}

std::string ResolveCaseInsensitive(const std::string& directory, const std::string& name) {
    const std::string exact = directory + name;
    if (PathExists(exact))
        return exact;
    if (activeCache) {
        // In byte order, so the first match is the one the folder scan below would choose.
        for (const std::string& candidate : activeCache->Names(directory)) {
            if (EqualsIgnoringCase(candidate, name))
                return directory + candidate;
        }
        return exact;
    }
    DIR* folder = ::opendir(directory.empty() ? "." : directory.c_str());
    if (folder == nullptr)
        return exact;
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(folder)) {
        std::string_view candidate = entry->d_name;
        if (EqualsIgnoringCase(candidate, name) && (!best || candidate < *best))
            best = std::string(candidate);
    }
    ::closedir(folder);
    return best ? directory + *best : exact;
}

std::string ResolvePath(const std::string& path) {
    std::string directory = DirectoryPart(path);
    std::string name = path.substr(directory.size());
    if (name.empty())
        return path;
    return ResolveCaseInsensitive(directory, name);
}

std::string DirectoryPart(std::string_view path) {
    size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string BaseName(std::string_view path) {
    std::string name = FileNamePart(path);
    return name.substr(0, name.find('.'));
}

bool PathExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

}  // namespace orvale
