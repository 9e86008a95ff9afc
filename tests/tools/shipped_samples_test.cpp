// The shipped sample flights must be exactly what their script makes with the tool built here.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> DataFiles(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".DAT")
            names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(ShippedSamples, ScriptRemakesEverySampleByteForByte) {
    const fs::path source = TAVIX_SOURCE_DIR;
    std::string pattern = (fs::temp_directory_path() / "tavix-samples-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path out = pattern;

    const std::string command = "cd '" + source.string() + "' && sh samples/make_samples.sh '" +
                                std::string(TAVIX_BUILD_DIR) + "' '" + out.string() +
                                "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const std::set<std::string> shipped = DataFiles(source / "samples");
    EXPECT_GE(shipped.size(), 5u);
    EXPECT_EQ(DataFiles(out), shipped);
    const std::string readme = ReadAll(source / "samples" / "README.md");
    for (const std::string& name : shipped) {
        EXPECT_EQ(ReadAll(out / name), ReadAll(source / "samples" / name)) << name;
        EXPECT_NE(readme.find(name), std::string::npos) << name << " is not described";
    }
    fs::remove_all(out);
}

}  // namespace
