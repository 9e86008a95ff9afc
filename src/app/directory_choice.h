// What the directory dialog makes of its name box: the working directory that the text names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvale {

// The text (at most 255 characters) as a working directory ending with '/'. Every file name is
// joined to the working directory by plain concatenation, hence the separator. A relative name
// is taken inside the current working directory. Blank text names no folder: nothing. Whether
// the folder exists is not checked; later file commands report a missing one.
std::optional<std::string> AcceptedDirectory(std::string_view text,
                                             const std::string& workingDirectory);

}  // namespace orvale
