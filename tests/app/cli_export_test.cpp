#include "app/cli_export.h"

#include <filesystem>

#include "cli_fixture.h"

namespace orvale::test {
namespace {

using CliExport = CliFixture;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(CliExport, EverySampleOfTheSelectedChannels) {
    const std::string file = Flight();
    ASSERT_EQ(Run({"export", file}), 0) << err.str();
    const auto lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 4089u);
    EXPECT_EQ(lines[0], "Flight Time (sec),Acceleration (g),Pressure Altitude (ft),Speed (ft/sec)");
    EXPECT_EQ(lines[1].rfind("-0.25,", 0), 0u);
    EXPECT_EQ(lines[4088].rfind("255.1875,", 0), 0u);
    // Sample 1 reads 110 against a zero-g reading of 100: 10 ÷ 3.4588 g by the default
    // calibration. The speed integrates it after sample 0 (8 readings) from rest.
    EXPECT_EQ(lines[6], "0.0625,2.89117599,0,7.55699158");
}

TEST_F(CliExport, NamedChannelsInTheirOrderAndFilteredOnRequest) {
    const std::string file = Flight();
    Put("FLT.PAR", "[Channel 2 Data]\r\nTitle=Height, ft\r\nFormula=ch1\r\nFilter=3\r\n");
    ASSERT_EQ(Run({"export", file, "--channels", "2,1"}), 0);
    auto lines = Lines(out.str());
    EXPECT_EQ(lines[0], "Flight Time (sec),\"Height, ft\",Acceleration (g)");
    EXPECT_EQ(lines[6], "0.0625,2.89117599,2.89117599");
    ASSERT_EQ(Run({"export", file, "--channels", "2,1", "--filtered"}), 0);
    lines = Lines(out.str());
    EXPECT_NE(lines[6], "0.0625,2.89117599,2.89117599");
    EXPECT_EQ(lines[6].rfind("0.0625,", 0), 0u);
}

TEST_F(CliExport, OutputFileIsWrittenWholeOrNotAtAll) {
    const std::string file = Flight();
    const std::string csv = dir.File("OUT.CSV");
    ASSERT_EQ(Run({"export", file, "--channels", "1", "--out", csv}), 0);
    EXPECT_EQ(out.str(), "");
    std::ifstream in(csv);
    std::string header;
    std::getline(in, header);
    EXPECT_EQ(header, "Flight Time (sec),Acceleration (g)");

    Put("OUT.CSV", "kept");
    Put("FLT.PAR", "[Channel 2 Data]\r\nFormula=CH7\r\n");
    EXPECT_EQ(Run({"export", file, "--channels", "1,2", "--out", csv}), 1);
    EXPECT_NE(err.str().find("Formula channel not active \"CH7\""), std::string::npos);
    EXPECT_NE(err.str().find("channel 2 cannot be computed"), std::string::npos);
    EXPECT_EQ(Run({"export", file, "--channels", "4"}), 1);
    EXPECT_NE(err.str().find("No formula"), std::string::npos);
    for (const char* list : {"0", "13", "1,,2", "1,x", ""})
        EXPECT_EQ(Run({"export", file, "--channels", list, "--out", csv}), 2) << list;
    EXPECT_EQ(Run({"export", file, "--frobnicate"}), 2);
    std::ifstream kept(csv);
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "kept");
}

}  // namespace
}  // namespace orvale::test
