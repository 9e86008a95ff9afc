#include "app/cli_formula.h"

#include "cli_fixture.h"

namespace orvale::test {
namespace {

using CliFormula = CliFixture;

TEST_F(CliFormula, ListsTheSlotsAsTextOrJson) {
    ASSERT_EQ(Run({"formula", "2*(CH1+3)"}), 0);
    EXPECT_EQ(out.str(),
              "slot 1: + 2 2 (number)\nslot 2: * 3 0 (group)\nslot 3: + 1 1 (channel)\n"
              "slot 4: + 2 3 (number)\nslot 5: ) 0 0 (none)\n"
              "count 6, single channel true, first channel 0\n");
    ASSERT_EQ(Run({"formula", "--json", "sin(x)"}), 0);
    EXPECT_EQ(out.str(),
              "{\"ok\":true,\"count\":4,\"single_channel\":false,\"first_channel\":-1,\"slots\":["
              "{\"slot\":1,\"op\":\"+\",\"kind\":6,\"value\":0},"
              "{\"slot\":2,\"op\":\"+\",\"kind\":9,\"value\":0},"
              "{\"slot\":3,\"op\":\")\",\"kind\":0,\"value\":0}],\"messages\":[]}\n");
    // A formula may start with a minus sign; after "--" anything is the formula.
    ASSERT_EQ(Run({"formula", "-1.5"}), 0);
    EXPECT_EQ(out.str().rfind("slot 1: - 2 1.5 (number)\n", 0), 0u) << out.str();
    ASSERT_EQ(Run({"formula", "--json", "--", ""}), 0);
    EXPECT_EQ(Value(out.str(), "count"), "1");
}

TEST_F(CliFormula, ErrorsGoIntoTheResultOrToTheErrorStream) {
    EXPECT_EQ(Run({"formula", "INT(INT(INT(CH1)))", "--json"}), 1);
    EXPECT_EQ(Value(out.str(), "count"), "0");
    EXPECT_EQ(Value(out.str(), "messages"),
              "[{\"message\":\"Invalid character:\",\"line2\":\"\\\"INT(INT(INT(CH1)))\\\"\","
              "\"line3\":\"         ^\"}]");
    EXPECT_TRUE(err.str().empty());
    EXPECT_EQ(Run({"formula", "CH3"}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "orvale-cli: Formula channel not active \"CH3\"\n");
    ASSERT_EQ(Run({"formula", "CH3", "--mask", "0x7"}), 0);
}

TEST_F(CliFormula, ParameterFileGivesWhatFchExpands) {
    Put("F.PAR",
        "[Channel 4 Data]\r\nFormula=2\r\n[Channel 5 Data]\r\nFormula=FCH6\r\n"
        "[Channel 6 Data]\r\nFormula=1+FCH5\r\n");
    // The nested compilation resets the shared values and the outer one carries on with them.
    ASSERT_EQ(Run({"formula", "FCH4+CH1", "--par", dir.File("F.PAR"), "--json"}), 0);
    EXPECT_EQ(Value(out.str(), "single_channel"), "true");
    // Channels that expand each other are refused, not expanded without end.
    EXPECT_EQ(Run({"formula", "FCH5", "--par", dir.File("F.PAR"), "--json"}), 1);
    EXPECT_NE(Value(out.str(), "messages").find("refers to itself"), std::string::npos);

    EXPECT_EQ(Run({"formula", "CH1", "--par", dir.File("NONE.PAR")}), 1);
    EXPECT_NE(err.str().find("no such parameter file"), std::string::npos);
    EXPECT_EQ(Run({"formula", "CH1", "--mask", "seven"}), 2);
    EXPECT_NE(err.str().find("--mask needs a channel mask"), std::string::npos);
    EXPECT_EQ(Run({"formula", "CH1", "CH2"}), 2);
    EXPECT_EQ(Run({"formula"}), 2);
}

}  // namespace
}  // namespace orvale::test
