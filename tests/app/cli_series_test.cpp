#include "app/cli_series.h"

#include "cli_fixture.h"

namespace orvale::test {
namespace {

using CliSeries = CliFixture;

TEST_F(CliSeries, JsonHoldsThePointsOfTheWindow) {
    const std::string file = Flight();
    ASSERT_EQ(Run({"series", file, "--channel", "1", "--start", "0", "--length", "10", "--json"}),
              0)
        << err.str();
    const std::string json = out.str();
    EXPECT_EQ(json.rfind("{\"ok\":true,\"mode\":0,\"count\":160,\"graph_start\":0,", 0), 0u)
        << json;
    EXPECT_EQ(Value(json, "graph_length"), "10");
    EXPECT_EQ(Value(json, "messages"), "[]");
    EXPECT_EQ(Elements(Value(json, "x")), 161u);
    EXPECT_EQ(Elements(Value(json, "y")), 161u);
    EXPECT_EQ(Value(json, "x").rfind("[0,0.0625,0.125,", 0), 0u);
    EXPECT_TRUE(err.str().empty()) << err.str();

    // The window is kept inside the data as the graph keeps it: 255.25 - 250 remain.
    ASSERT_EQ(
        Run({"series", file, "--channel", "2", "--start", "250", "--length", "100", "--json"}), 0);
    EXPECT_EQ(Value(out.str(), "graph_length"), "5.25");
    EXPECT_EQ(Value(out.str(), "count"), "84");
}

TEST_F(CliSeries, ReportsOfTheErrorBoxGoIntoTheResult) {
    const std::string file = Flight();
    ASSERT_EQ(
        Run({"series", file, "--formula", "HST 25,CH1", "--min", "100", "--max", "0", "--json"}),
        0);
    EXPECT_EQ(Value(out.str(), "messages"),
              "[{\"message\":\"Decrease Histogram resolution from 25.000 to "
              "10.000\",\"line2\":\"\",\"line3\":\"\"}]");
    EXPECT_EQ(Value(out.str(), "mode"), "4");
    EXPECT_EQ(Value(out.str(), "x"), "[0,10,20,30,40,50,60,70,80,90,100,110]");

    EXPECT_EQ(Run({"series", file, "--formula", "CH1 # 2", "--json"}), 1);
    EXPECT_EQ(out.str(),
              "{\"ok\":false,\"mode\":0,\"count\":-1,\"graph_start\":-0.25,\"graph_length\":"
              "5.0625,\"x\":[],\"y\":[],\"messages\":[{\"message\":\"Invalid "
              "character:\",\"line2\":\"\\\"CH1 # 2\\\"\",\"line3\":\"     ^\"}]}\n");
    // Without --json the report goes to the error stream and nothing to the output.
    EXPECT_EQ(Run({"series", file, "--formula", "CH1 # 2"}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "orvale-cli: Invalid character:\n  \"CH1 # 2\"\n       ^\n");
}

TEST_F(CliSeries, SpectrumWindowIsShortenedAndValuesThatAreNotFiniteAreNull) {
    const std::string file = Flight();
    ASSERT_EQ(
        Run({"series", file, "--formula", "FFT(CH1)", "--start", "0", "--length", "10", "--json"}),
        0);
    EXPECT_EQ(Value(out.str(), "graph_length"), "8");
    EXPECT_EQ(Value(out.str(), "count"), "127");
    EXPECT_EQ(Value(out.str(), "mode"), "1");
    ASSERT_EQ(Run({"series", file, "--formula", "EXP(1000)", "--length", "1", "--json"}), 0);
    EXPECT_EQ(Value(out.str(), "y").rfind("[null,null,", 0), 0u) << out.str();
}

TEST_F(CliSeries, FormulaTakesTheChannelsOtherFields) {
    const std::string file = Flight();
    Put("FLT.PAR",
        "[Channel 1 Data]\r\nTitle=Thrust\r\nFormula=ch1\r\nFilter=3\r\n"
        "[Channel 2 Data]\r\nTitle=Two\r\nFormula=ch2\r\nFilter=0\r\n");
    ASSERT_EQ(Run({"series", file, "--formula", "CH1", "--length", "2", "--csv"}), 0);
    const std::string heavy = out.str();
    EXPECT_EQ(heavy.rfind("time,value\n-0.25,", 0), 0u) << heavy;
    EXPECT_EQ(std::count(heavy.begin(), heavy.end(), '\n'), 34);
    ASSERT_EQ(Run({"series", file, "--formula", "CH1", "--channel", "2", "--length", "2"}), 0);
    EXPECT_EQ(out.str().rfind("Two: mode 0, points 0..32, window -0.25 s + 2 s\ntime\tvalue\n", 0),
              0u)
        << out.str();
    ASSERT_EQ(
        Run({"series", file, "--formula", "CH1", "--filter", "none", "--length", "2", "--csv"}), 0);
    EXPECT_NE(out.str(), heavy);
}

TEST_F(CliSeries, BadOptionsAreRefusedWithAClearMessage) {
    const std::string file = Flight();
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"series", file}, "name a channel with --channel N or give a --formula"},
        {{"series", "--channel", "1"}, "no flight file given"},
        {{"series", file, "--channel", "13"}, "--channel needs a channel number 1 to 12"},
        {{"series", file, "--channel", "1", "--start", "1e999"}, "--start needs a number"},
        {{"series", file, "--channel", "1", "--length", "-2"}, "--length needs a positive"},
        {{"series", file, "--channel", "1", "--filter", "Extreme"}, "--filter needs 0 to 3"},
        {{"series", file, "--channel", "1", "--json", "--csv"}, "--json and --csv cannot be"},
        {{"series", file, "--channel"}, "--channel needs a value"},
        {{"series", file, "--formula", std::string(129, '1')}, "--formula is longer than"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        EXPECT_EQ(Run(args), 2);
        EXPECT_EQ(err.str().rfind("orvale-cli series: " + message, 0), 0u) << err.str();
        EXPECT_NE(err.str().find("\nusage: orvale-cli series FILE.dat"), std::string::npos);
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(Run({"series", dir.File("NONE.DAT"), "--channel", "1"}), 1);
    EXPECT_NE(err.str().find("NONE.DAT"), std::string::npos);
}

}  // namespace
}  // namespace orvale::test
