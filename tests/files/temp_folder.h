// A fresh folder for a test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace orvale {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvale-XXXXXX").string();
        path_ = std::string(::mkdtemp(pattern.data())) + "/";
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }

    // The folder, ending with '/'.
    const std::string& Path() const { return path_; }

    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::string path_;
};

}  // namespace orvale
