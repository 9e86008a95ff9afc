#include "files/path_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <optional>

#include "core/text_format.h"
#include "files/ascii_text.h"

namespace orvale {

std::string ResolveCaseInsensitive(const std::string& directory, const std::string& name) {
    const std::string exact = directory + name;
    if (PathExists(exact))
        return exact;
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
