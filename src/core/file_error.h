#pragma once

#include <stdexcept>
#include <string>

namespace orvale {

// An input/output failure of the file system, carrying a message that names the file. Commands
// let it rise to the top-level handler, which shows it.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace orvale
