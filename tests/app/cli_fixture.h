// Runs orvale-cli in-process on test flights in a scratch folder, with the output captured.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli_summary.h"
#include "test_image.h"

namespace orvale::test {

class CliFixture : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunCli(args, out, err, dir.path().string() + "/");
    }

    // A flight whose accelerometer reads (k mod 20) g at frame k, 2 readings a g above 100.
    std::string Flight(const std::string& name = "FLT.DAT") {
        TestImage image(100, 200);
        for (int k = 4; k < 4088; ++k)
            image.SetAccel(k, static_cast<uint8_t>(100 + 2 * (k % 20)));
        return image.Write(dir.path() / name);
    }

    void Put(const std::string& name, const std::string& text) {
        std::ofstream(dir.File(name), std::ios::binary) << text;
    }

    // The raw JSON text of key's value in a one-line object whose values hold no nested
    // brackets of the same kind.
    static std::string Value(const std::string& json, const std::string& key) {
        const std::string tag = "\"" + key + "\":";
        const size_t at = json.find(tag);
        if (at == std::string::npos)
            return "(missing)";
        const size_t from = at + tag.size();
        const char open = json[from];
        const char close = open == '[' ? ']' : open == '{' ? '}' : '\0';
        const size_t to = close ? json.find(close, from) + 1 : json.find_first_of(",}", from);
        return json.substr(from, to - from);
    }

    // Elements of a JSON array of numbers.
    static size_t Elements(const std::string& array) {
        if (array == "[]")
            return 0;
        return static_cast<size_t>(std::count(array.begin(), array.end(), ',')) + 1;
    }

    TempDir dir;
    std::ostringstream out, err;
};

}  // namespace orvale::test
