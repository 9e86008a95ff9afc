#include "files/working_directory.h"

#include "files/path_lookup.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace orvale {

namespace fs = std::filesystem;

std::string InstalledSamplesDirectory(const std::string& executableDirectory) {
    if (executableDirectory.empty())
        return {};
    std::error_code ec;
    const fs::path samples =
        fs::path(WithSeparator(executableDirectory)) / "../share/orvale/samples";
    if (!fs::is_directory(samples, ec))
        return {};
    const fs::path canonical = fs::weakly_canonical(samples, ec);
    return ec ? std::string() : WithSeparator(canonical.string());
}

std::string ChooseProgramDirectory(const std::string& executableDirectory) {
    const std::string dir = WithSeparator(executableDirectory);
    if (!dir.empty() && access(dir.c_str(), W_OK) == 0 &&
        InstalledSamplesDirectory(executableDirectory).empty())
        return dir;
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.local/share";
    } else {
        return dir;
    }
    std::string data = base + "/Orvale/";
    std::error_code ec;
    fs::create_directories(data, ec);
    return data;
}

bool SeedWorkingDirectory(const std::string& workingDirectory,
                          const std::string& samplesDirectory) {
    std::error_code ec;
    if (workingDirectory.empty() || fs::exists(workingDirectory, ec))
        return false;
    if (!fs::create_directories(workingDirectory, ec))
        return false;
    for (const auto& entry : fs::directory_iterator(samplesDirectory, ec)) {
        std::string ext = entry.path().extension().string();
        for (char& c : ext)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (ext != ".DAT" && ext != ".PAR" && ext != ".CAL")
            continue;
        fs::copy_file(entry.path(), fs::path(workingDirectory) / entry.path().filename(),
                      fs::copy_options::skip_existing, ec);
    }
    return true;
}

}  // namespace orvale
