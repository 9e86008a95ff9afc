#include <gtest/gtest.h>

#include "app/cli_fixture.h"

namespace orvale::test {
namespace {

class CliCompare : public CliFixture {};

TEST_F(CliCompare, AFlightBesideItsSimulationWithTheDifferences) {
    // FLT-001: apogee 1701 ft at 10.875 s, 349.37 ft/sec, 316.23 ft/sec² (the summary's).
    Put("sim.csv",
        "# Time (s),Altitude (m),Vertical velocity (m/s),Vertical acceleration (m/s²)\n"
        "# Event LAUNCH occurred at t=1 seconds\n"
        "1,0,0,0\n"
        "2,30,100,100\n"
        "12,567,0,-9.8\n");
    const std::string flight = std::string(ORVALE_SOURCE_DIR) + "/samples/FLT-001.DAT";
    ASSERT_EQ(Run({"compare", flight, "--sim", dir.File("sim.csv")}), 0) << err.str();
    const std::string text = out.str();
    // 567 m is 1860.24 ft, 9.36 % above 1701 ft; 11 s after launch against 10.875 s.
    EXPECT_NE(text.find("Apogee (ft)"), std::string::npos) << text;
    EXPECT_NE(text.find("1701.00"), std::string::npos) << text;
    EXPECT_NE(text.find("1860.24"), std::string::npos) << text;
    EXPECT_NE(text.find("+9.4 %"), std::string::npos) << text;
    EXPECT_NE(text.find("10.88"), std::string::npos) << text;
    EXPECT_NE(text.find("11.00"), std::string::npos) << text;
    EXPECT_NE(text.find("328.08"), std::string::npos) << text;  // 100 m/s in ft/sec

    Put("bad.csv", "Altitude (m)\n1\n");
    EXPECT_EQ(Run({"compare", flight, "--sim", dir.File("bad.csv")}), 1);
    EXPECT_NE(err.str().find("no time column"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"compare", flight}), 2);
    EXPECT_EQ(Run({"compare", flight, "--sim"}), 2);
}

}  // namespace
}  // namespace orvale::test
