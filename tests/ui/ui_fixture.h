// A program folder for a widget test: a fresh folder with the settings file, whose working
// directory DATA/ is seeded with the shipped sample flights, and the program state started on it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/app_state.h"
#include "files/startup_files.h"
#include "files/temp_folder.h"

namespace orvale::test {

inline std::string SamplesFolder() {
    const char* env = std::getenv("ORVALE_SAMPLES");
    return (env ? std::string(env) : std::string(ORVALE_SOURCE_DIR) + "/samples") + "/";
}

inline void PutFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline StartupEnvironment EnvironmentIn(const TempFolder& folder) {
    return {0, folder.Path(), SamplesFolder()};
}

}  // namespace orvale::test
