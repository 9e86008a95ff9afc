// orvale-cli reads a flight as the desktop does: the same parameter file, the same rule for the
// calibration, the same rows. Both paths run here on the same files and their rows are compared.
#include <filesystem>

#include "app/cli_summary.h"
#include "cli_fixture.h"
#include "fake_prompts.h"
#include "files/calibration_file.h"
#include "files/loading.h"
#include "files/startup_files.h"

namespace orvale::test {
namespace {

namespace fs = std::filesystem;

using CliDesktopAgreement = CliFixture;

TEST_F(CliDesktopAgreement, SummaryRowsAreTheDesktopsAfterLoadCalibration) {
    const fs::path desk = dir.path() / "desk";
    const fs::path cli = dir.path() / "cli";
    const fs::path flights = dir.path() / "flights";
    for (const fs::path& folder : {desk, cli, flights})
        fs::create_directory(folder);
    TestImage image(100, 200);
    image.SetMain(20, 0, 190);
    for (int k = 8; k < 4088; ++k)
        image.SetAccel(k, static_cast<uint8_t>(k < 60 ? 140 : k < 200 ? 90 : 100));
    const std::string data = image.Write(flights / "F.DAT");
    Put("settings.cal", "do/dg 1.0\r\n");
    Put("loaded.cal", "do/dg 4.0\r\n");
    std::ofstream(flights / "beside.cal") << "do/dg 2.0\r\n";
    const std::string loaded = dir.File("loaded.cal");
    // The desktop starts with one calibration and then loads another; the tool starts with the
    // loaded one as its current calibration.
    std::ofstream(desk / "QUENDA.INI")
        << "[Main]\r\nCalibration_Filename=" << dir.File("settings.cal") << "\r\n";
    std::ofstream(cli / "QUENDA.INI") << "[Main]\r\nCalibration_Filename=" << loaded << "\r\n";

    struct Case {
        const char* what;
        const char* par;  // F.PAR, or none
        std::string calFile;
    };
    const Case cases[] = {
        {"names a calibration beside the flight",
         "[Flight Data]\r\nNote=n\r\nCalibation Data File=beside.cal\r\n",
         (flights / "beside.cal").string()},
        {"names a calibration that is missing",
         "[Flight Data]\r\nCalibation Data File=missing.cal\r\n", loaded},
        {"names no calibration", "[Flight Data]\r\nStages=0\r\n", loaded},
        {"no parameter file", nullptr, loaded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(flights / "F.PAR");
        if (c.par)
            std::ofstream(flights / "F.PAR", std::ios::binary) << c.par;

        AppState desktop;
        FakePrompts prompts;
        InitProgramState(desktop, {0, desk.string() + "/", {}}, prompts);
        prompts.fileAnswers = {loaded};
        LoadCalibrationFile(desktop, prompts);
        desktop.workingDirectory = flights.string() + "/";
        desktop.current().dataFileName = data;
        desktop.current().parameterFileName = "F.par";
        LoadCurrentFile(desktop, prompts, true, true, true);
        ASSERT_EQ(prompts.shownRows.size(), 1u);
        AppState shown;
        shown.summaryRows = prompts.shownRows[0];
        EXPECT_EQ(shown.summaryRows[SummaryRow::CalFile], c.calFile);

        out.str("");
        err.str("");
        ASSERT_EQ(RunCli({"summary", data}, out, err, cli.string() + "/"), 0) << err.str();
        EXPECT_EQ(out.str(), SummaryText(shown));
    }
}

}  // namespace
}  // namespace orvale::test
