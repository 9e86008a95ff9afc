#include "app/directory_choice.h"

#include "core/app_state.h"
#include "core/text_format.h"

namespace orvale {

std::optional<std::string> AcceptedDirectory(std::string_view text,
                                             const std::string& workingDirectory) {
    std::string name = CutText(text, kDirectoryLimit);
    if (name.find_first_not_of(" \t") == std::string::npos)
        return std::nullopt;
    if (name.front() != '/')
        name = workingDirectory + name;
    if (name.back() != '/') {
        // The separator must survive the state's length limit.
        name = CutText(name, kDirectoryLimit - 1) + "/";
    }
    return CutText(name, kDirectoryLimit);
}

}  // namespace orvale
