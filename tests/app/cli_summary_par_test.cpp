// orvale-cli summary reads each flight with its parameter file and calibration, as opening it in
// the program does; --par, --cal, --stages and --filter1 stand in for them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli_summary.h"
#include "test_image.h"

namespace orvale {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class CliSummaryPar : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(flights());
        // Two burns, coasts and a deployment jolt: with one stage the second burn is taken for
        // the deployment (6 s), with two the jolt (18.5 s), with none nothing is detected.
        test::TestImage image(100, 200);
        image.SetMain(200, 0, 190);
        for (int k = 8; k < 4088; ++k) {
            uint8_t a = 100;
            if (k < 40 || (k >= 100 && k < 132))
                a = 130;
            else if (k < 300)
                a = 95;
            else if (k == 300)
                a = 110;
            image.SetAccel(k, a);
        }
        flight = image.Write(flights() / "F.DAT");
    }

    fs::path flights() const { return dir.path() / "flights"; }

    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        args.insert(args.begin(), {"summary", "--json"});
        args.push_back(flight);
        return RunCli(args, out, err, dir.path().string());
    }

    double Value(const std::string& key) const {
        const std::string text = out.str();
        const size_t at = text.find("\"" + key + "\":");
        if (at == std::string::npos)
            return NAN;
        return std::strtod(text.c_str() + at + key.size() + 3, nullptr);
    }

    test::TempDir dir;
    std::string flight;
    std::ostringstream out, err;
};

TEST_F(CliSummaryPar, StagesComeFromTheFlightsParameterFileUnlessOverridden) {
    Put(flights() / "OTHER.PAR", "[Flight Data]\r\nStages=0\r\n");
    struct Case {
        const char* parName;  // the flight's own parameter file, if any
        const char* stages;
        std::vector<std::string> options;
        double detected;
    };
    const Case cases[] = {
        {nullptr, nullptr, {}, 6.0},
        {"F.PAR", "2", {}, 18.5},
        {"F.PAR", "0", {}, -1.0},
        {"f.par", "0", {}, -1.0},
        {"F.PAR", "0", {"--stages", "2"}, 18.5},
        {"F.PAR", "2", {"--par", (flights() / "OTHER.PAR").string()}, -1.0},
        {"F.PAR", "2", {"--par", (flights() / "OTHER.PAR").string(), "--stages", "1"}, 6.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.parName ? c.parName : "no parameter file") << " "
                     << (c.stages ? c.stages : "") << " " << testing::PrintToString(c.options));
        fs::remove(flights() / "F.PAR");
        fs::remove(flights() / "f.par");
        if (c.parName)
            Put(flights() / c.parName, std::string("[Flight Data]\r\nStages=") + c.stages + "\r\n");
        ASSERT_EQ(Run(c.options), 0) << err.str();
        EXPECT_EQ(Value("deployment_detected_time"), c.detected) << out.str();
    }
}

TEST_F(CliSummaryPar, CalibrationFromTheSettingsTheParameterFileOrTheOption) {
    // The slope turns the largest acceleration reading (30 above zero g) into g.
    Put(dir.path() / "settings.cal", "do/dg 1.0\r\n");
    Put(flights() / "beside.cal", "do/dg 2.0\r\n");
    Put(dir.path() / "option.cal", "do/dg 3.0\r\n");
    const std::string byOption = (dir.path() / "option.cal").string();
    const std::string settings =
        "[Main]\r\nCalibration_Filename=" + (dir.path() / "settings.cal").string() + "\r\n";
    struct Case {
        const char* what;
        std::string settings;
        const char* par;
        std::vector<std::string> options;
        double maxAccel;
    };
    const Case cases[] = {
        {"built-in slope", "", nullptr, {}, 30 / 3.4588},
        {"named in the settings", settings, nullptr, {}, 30.0},
        {"named in the flight's parameter file, beside the flight",
         settings,
         "[Flight Data]\r\nCalibation Data File=beside.cal\r\n",
         {},
         15.0},
        {"the option over both",
         settings,
         "[Flight Data]\r\nCalibation Data File=beside.cal\r\n",
         {"--cal", byOption},
         10.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Put(dir.path() / "QUENDA.INI", c.settings);
        fs::remove(flights() / "F.PAR");
        if (c.par)
            Put(flights() / "F.PAR", c.par);
        ASSERT_EQ(Run(c.options), 0) << err.str();
        EXPECT_NEAR(Value("max_accel"), c.maxAccel, 1e-4) << out.str();
    }
}

TEST_F(CliSummaryPar, MissingOptionFilesAreReportedByName) {
    const std::string par = (dir.path() / "nowhere.par").string();
    const std::string cal = (dir.path() / "nowhere.cal").string();
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--par", par}, std::vector<std::string>{"--cal", cal}}) {
        SCOPED_TRACE(options[0]);
        EXPECT_EQ(Run(options), 1);
        EXPECT_NE(err.str().find(options[1]), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
    out.str("");
    err.str("");
    EXPECT_EQ(RunCli({"summary", flight, "--par"}, out, err, dir.path().string()), 2);
    EXPECT_NE(err.str().find("--par needs a value"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace orvale
