// The options that only inform: `orvale --version`, `orvale --help` and `orvale-cli --version`.
#include "app/program_options.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/cli_summary.h"
#include "app/render_command.h"
#include "core/program_state.h"

namespace orvale {
namespace {

TEST(ProgramOptions, HelpListsEveryOptionWithTheRenderUsageAndVersionNamesTheProgram) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"-h"}, {"--measure-startup", "--help"}}) {
        std::ostringstream out;
        EXPECT_EQ(RunInfoOption(args, out), 0) << args.back();
        EXPECT_EQ(out.str(), ProgramHelp());
    }
    const std::string help = ProgramHelp();
    EXPECT_NE(help.find(kRenderUsage), std::string::npos);
    for (const char* option :
         {"--help", "--version", "--measure-startup", "--render", "--graph", "--data", "--size",
          "--report", "--par", "--start", "--length", "--zoom", "--overlap", "--sim"})
        EXPECT_NE(help.find(std::string("  ") + option), std::string::npos) << option;

    std::ostringstream out;
    EXPECT_EQ(RunInfoOption({"--version"}, out), 0);
    EXPECT_EQ(out.str(), std::string("orvale ") + kVersionText + "\n");
    // The window caption carries the same version.
    AppState state;
    SetProgramDefaults(state, 0);
    EXPECT_EQ(state.versionText, kVersionText);
}

TEST(ProgramOptions, OtherArgumentsStartTheProgramAndPrintNothing) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--measure-startup"},
                                               {"--render", "F.DAT", "--graph", "g.png"},
                                               {"-style", "x"}}) {
        std::ostringstream out;
        EXPECT_EQ(RunInfoOption(args, out), std::nullopt);
        EXPECT_EQ(out.str(), "");
    }
}

TEST(ProgramOptions, CliVersionAndHelpAnswerOnStandardOutput) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"--version"}, out, err, "./"), 0);
    EXPECT_EQ(out.str(), std::string("orvale-cli ") + kVersionText + "\n");
    EXPECT_EQ(err.str(), "");
    out.str("");
    EXPECT_EQ(RunCli({"--help"}, out, err, "./"), 0);
    EXPECT_NE(out.str().find("orvale-cli --version"), std::string::npos);
}

}  // namespace
}  // namespace orvale
