#include "app/cli_summary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "test_image.h"

namespace orvale {
namespace {

class CliSummary : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunCli(args, out, err, dir.path().string());
    }
    std::string Flight(const std::string& name, uint8_t flags = 1) {
        test::TestImage image(100, 210);
        image.SetFlags(flags);
        image.SetDrogue(8, 4, 190);
        image.SetMain(40, 0, 205);
        return image.Write(dir.path() / name);
    }

    test::TempDir dir;
    std::ostringstream out, err;
};

TEST_F(CliSummary, PrintsTheDialogRowsInOrder) {
    const std::string file = Flight("FLT-001.DAT");
    ASSERT_EQ(Run({"summary", file}), 0) << err.str();
    const std::string text = out.str();
    EXPECT_EQ(text.rfind("File Name: FLT-001.DAT\nFile Size: 8196 bytes\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nFlight Mode: Drogue to Main Mode\nDrogue Fired at: 8.2500 sec    ( "),
              std::string::npos);
    EXPECT_NE(text.find("\nMinimum Acceleration: "), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 15);

    // Main only: the drogue row is left out.
    ASSERT_EQ(Run({"summary", Flight("FLT-002.DAT", 0)}), 0);
    const std::string mainOnly = out.str();
    EXPECT_EQ(mainOnly.find("Drogue Fired at:"), std::string::npos);
    EXPECT_EQ(std::count(mainOnly.begin(), mainOnly.end(), '\n'), 14);
}

TEST_F(CliSummary, JsonHasEveryKeyAndRoundTripsFloats) {
    ASSERT_EQ(Run({"summary", "--json", Flight("A.DAT"), Flight("B.DAT")}), 0);
    std::istringstream lines(out.str());
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        for (const char* key : {"file",
                                "ground_pressure_reading",
                                "zero_g_reading",
                                "drogue_fire_time",
                                "main_fire_time",
                                "apogee_pressure_height",
                                "apogee_time",
                                "deployment_limit",
                                "drogue_row_visible",
                                "max_inertial_height",
                                "max_inertial_height_time",
                                "max_speed",
                                "max_speed_time",
                                "max_accel",
                                "max_accel_time",
                                "min_accel",
                                "min_accel_time",
                                "deployment_detected_time",
                                "end_of_flight_time",
                                "rows"})
            EXPECT_NE(line.find(std::string("\"") + key + "\":"), std::string::npos) << key;
        EXPECT_NE(line.find("\"drogue_fire_time\":8.25,"), std::string::npos) << line;
        EXPECT_NE(line.find("\"deployment_limit\":132,"), std::string::npos) << line;
        EXPECT_NE(line.find("\"drogue_row_visible\":true"), std::string::npos);
        EXPECT_NE(line.find("\"MaxAccel\":\""), std::string::npos);
    }
    EXPECT_EQ(count, 2);
}

TEST_F(CliSummary, BadFilesAreReportedAndTheOthersStillSummarised) {
    const std::string good = Flight("GOOD.DAT");
    const std::string shortFile = dir.File("SHORT.DAT");
    std::ofstream(shortFile) << "not a flight";
    const std::string missing = dir.File("MISSING.DAT");
    EXPECT_EQ(Run({"summary", missing, shortFile, good}), 1);
    EXPECT_NE(out.str().find("File Name: GOOD.DAT"), std::string::npos);
    std::istringstream errors(err.str());
    std::string first, second, extra;
    std::getline(errors, first);
    std::getline(errors, second);
    EXPECT_FALSE(std::getline(errors, extra));
    EXPECT_NE(first.find(missing), std::string::npos) << first;
    EXPECT_NE(first.find("No such file"), std::string::npos) << first;
    EXPECT_NE(second.find(shortFile), std::string::npos) << second;
    EXPECT_NE(second.find("12 bytes"), std::string::npos) << second;
}

TEST_F(CliSummary, OptionsStandInForTheFlightsParameters) {
    const std::string file = Flight("F.DAT");
    ASSERT_EQ(Run({"summary", "--json", "--stages", "0", "--filter1", "3", file}), 0);
    EXPECT_NE(out.str().find("\"deployment_detected_time\":-1,"), std::string::npos);

    EXPECT_EQ(Run({"summary", "--stages", "two", file}), 2);
    EXPECT_NE(err.str().find("--stages needs a whole number"), std::string::npos);
    EXPECT_EQ(Run({"summary", "--bogus", file}), 2);
    EXPECT_EQ(Run({"summary"}), 2);
    EXPECT_EQ(Run({"frobnicate"}), 2);
    EXPECT_EQ(Run({"summary", "--filter1"}), 2);
}

}  // namespace
}  // namespace orvale
