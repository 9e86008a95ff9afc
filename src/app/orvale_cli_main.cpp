// orvale-cli: the headless face of Orvale, for scripts and for checking results.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_summary.h"
#include "files/working_directory.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::string dir = ec ? std::string("./") : exe.parent_path().string() + "/";
    // Installed, the tool reads the settings the desktop program keeps in the user's folder;
    // run from the build folder, those beside it as before.
    if (!orvale::InstalledSamplesDirectory(dir).empty())
        dir = orvale::ChooseProgramDirectory(dir);
    return orvale::RunCli(args, std::cout, std::cerr, dir);
}
