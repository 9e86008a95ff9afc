#include "app/logbook.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/cli_fixture.h"
#include "core/pressure_altitude.h"

namespace orvale::test {
namespace {

class LogbookTest : public CliFixture {};

// Every figure of the logbook is the one the summary of the same flight shows.
TEST_F(LogbookTest, TheSamplesLogbookAgreesWithTheirSummaries) {
    const std::string samples = std::string(ORVALE_SOURCE_DIR) + "/samples";
    const Logbook book = ReadLogbook({samples}, dir.path().string() + "/");
    ASSERT_EQ(book.rows.size(), 8u);
    EXPECT_TRUE(book.failures.empty());
    for (const LogbookRow& row : book.rows) {
        ASSERT_EQ(Run({"summary", "--json", row.path}), 0) << err.str();
        const std::string json = out.str();
        const auto cells = LogbookCells(row);
        EXPECT_EQ(Value(json, "apogee_pressure_height"), cells[6]) << row.file;
        EXPECT_NE(json.find("\"MaxVelocity\":\"" + cells[8] + " ft/sec"), std::string::npos);
        EXPECT_NE(json.find("\"MaxAccel\":\"" + cells[9] + " ft/sec"), std::string::npos);
        EXPECT_NE(json.find("\"MainFireTime\":\"" + cells[12] + " sec"), std::string::npos);
        EXPECT_EQ(Value(json, "drogue_row_visible") == "true", row.drogueFire.has_value());
    }
    // FLT-001: launch at 0, landing 5 s before the summary's end of flight (53.125 s, in the
    // summary's count of frames one frame later than the graph's).
    EXPECT_EQ(book.rows[0].file, "FLT-001.DAT");
    EXPECT_EQ(*book.rows[0].launchTime, 0.0);
    EXPECT_FLOAT_EQ(*book.rows[0].duration, 48.125f);
    // FLT-007 filled the memory before landing: no duration rather than a wrong one.
    EXPECT_EQ(book.rows[6].duration, std::nullopt);
}

// In metres, the logbook and the summary convert the same computed values: each figure still
// matches the summary of the same flight, and the summary's JSON fields stay in feet.
TEST_F(LogbookTest, InMetresTheLogbookAgreesWithTheSummaryInMetres) {
    const std::string samples = std::string(ORVALE_SOURCE_DIR) + "/samples";
    const Logbook book = ReadLogbook({samples}, dir.path().string() + "/");
    ASSERT_FALSE(book.rows.empty());
    for (const LogbookRow& row : book.rows) {
        SCOPED_TRACE(row.file);
        ASSERT_EQ(Run({"summary", "--json", row.path}), 0) << err.str();
        const std::string feet = out.str();
        ASSERT_EQ(Run({"summary", "--units", "m", "--json", row.path}), 0) << err.str();
        const std::string metres = out.str();
        const auto cells = LogbookCells(row, Units::Metres);
        EXPECT_NE(metres.find("\"MaxPressureAlt\":\"" + cells[6] + " m @"), std::string::npos);
        EXPECT_NE(metres.find("\"MaxVelocity\":\"" + cells[8] + " m/s @"), std::string::npos);
        EXPECT_NE(metres.find("\"MaxAccel\":\"" + cells[9] + " m/s\u00b2 ("), std::string::npos);
        EXPECT_EQ(metres.substr(0, metres.find("\"rows\"")), feet.substr(0, feet.find("\"rows\"")));
        // Converted from the computed height, so never further than half a metre from it.
        EXPECT_NEAR(std::stod(cells[6]), row.apogeeHeight * 0.3048, 0.5);
    }

    EXPECT_EQ(Run({"logbook", samples, "--units", "m", "--csv"}), 0) << err.str();
    const std::string csv = out.str();
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "File,Date,Time,Note,Model,Motor,Apogee (m),Apogee at (sec),Max Speed (m/s),"
              "Max Accel (m/s\u00b2),Flight Time (sec),Drogue Fired (sec),Main Fired (sec)");
    EXPECT_EQ(Run({"logbook", samples, "--units", "m", "--json"}), 0);
    EXPECT_NE(out.str().find("\"apogee_m\":"), std::string::npos);
    EXPECT_EQ(out.str().find("_ft"), std::string::npos);
    // A unit the tool does not know is refused, not taken for feet.
    EXPECT_EQ(Run({"logbook", samples, "--units", "yd"}), 2);
    EXPECT_NE(err.str().find("--units needs ft or m"), std::string::npos);
    EXPECT_EQ(Run({"logbook", samples, "--units"}), 2);
    EXPECT_EQ(Run({"summary", "--units", "feet", book.rows[0].path}), 2);
    EXPECT_NE(err.str().find("--units needs ft or m, not \"feet\""), std::string::npos);
    EXPECT_TRUE(out.str().empty());

    // An apogee whose pressure gave no height keeps the summary's marker, in metres too.
    LogbookRow unknown;
    unknown.apogee = 999999;
    unknown.apogeeHeight = kNoHeight;
    EXPECT_EQ(LogbookCells(unknown, Units::Metres)[6], "999999");

    // The desktop's choice of metres does not change what a script reads.
    Put("QUENDA.INI", "[Main]\r\nUnits=m\r\n");
    EXPECT_EQ(Run({"summary", book.rows[0].path}), 0);
    EXPECT_NE(out.str().find(" ft @ "), std::string::npos);
    EXPECT_EQ(out.str().find(" m @ "), std::string::npos);
}

TEST_F(LogbookTest, TheCommandListsEveryFlightAndNamesTheOnesItCannotRead) {
    Flight("B.DAT");
    Flight("a.dat");
    Put("SHORT.DAT", "only a few bytes");
    Put("notes.txt", "not a flight");
    std::filesystem::create_directory(dir.path() / "SUB.DAT");

    EXPECT_EQ(Run({"logbook", dir.path().string(), "--csv"}), 1);
    const std::string csv = out.str();
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "File,Date,Time,Note,Model,Motor,Apogee (ft),Apogee at (sec),Max Speed (ft/sec),"
              "Max Accel (ft/sec\u00b2),Flight Time (sec),Drogue Fired (sec),Main Fired (sec)");
    EXPECT_NE(csv.find("\nB.DAT,"), std::string::npos);
    EXPECT_NE(csv.find("\na.dat,"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
    EXPECT_NE(err.str().find("SHORT.DAT"), std::string::npos);

    EXPECT_EQ(Run({"logbook", dir.path().string(), "--json", "--csv"}), 2);
    EXPECT_EQ(Run({"logbook"}), 2);
    EXPECT_EQ(Run({"logbook", (dir.path() / "missing").string()}), 1);
    EXPECT_NE(err.str().find("not a folder"), std::string::npos);
}

}  // namespace
}  // namespace orvale::test
