// orvale-cli under input meant to break it: names the system cannot examine, outputs that cannot
// be written or must not be replaced, windows shorter than a sample, numbers out of range and
// bytes that are not UTF-8. Each case ends in a message and an exit status, never an abort.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <streambuf>

#include "app/json_writer.h"
#include "cli_fixture.h"

namespace orvale::test {
namespace {

namespace fs = std::filesystem;

using CliHostileInput = CliFixture;

// Whether text is well-formed UTF-8 (no cut, overlong or surrogate sequence).
bool ValidUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        size_t n = c < 0x80                 ? 1
                   : c >= 0xC2 && c <= 0xDF ? 2
                   : c >= 0xE0 && c <= 0xEF ? 3
                   : c >= 0xF0 && c <= 0xF4 ? 4
                                            : 0;
        if (n == 0 || i + n > text.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        const auto second = static_cast<unsigned char>(n > 1 ? text[i + 1] : 0x80);
        if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) ||
            (c == 0xF0 && second < 0x90) || (c == 0xF4 && second > 0x8F))
            return false;
        i += n;
    }
    return true;
}

// A stream whose every write fails, as on a full disk or /dev/full.
class FullDevice : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(CliHostileInput, NamesThatCannotBeExaminedFailThatFileAlone) {
    const std::string file = Flight("F.DAT");
    const std::string longName = dir.File(std::string(300, 'n') + ".DAT");
    EXPECT_EQ(Run({"summary", "", file, longName}), 1);
    EXPECT_NE(out.str().find("File Name: F.DAT"), std::string::npos) << out.str();
    std::istringstream lines(err.str());
    std::string first, second, extra;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_FALSE(std::getline(lines, extra)) << err.str();
    EXPECT_NE(first.find("empty name"), std::string::npos) << first;
    EXPECT_NE(second.find(std::string(300, 'n')), std::string::npos) << second;

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"series", "", "--channel", "1"},
          std::vector<std::string>{"export", ""},
          std::vector<std::string>{"capture", "--port", dir.File("no-port"), "--dir", "", "F"},
          std::vector<std::string>{"capture", "--port", dir.File("no-port"), "--dir",
                                   dir.File(std::string(5000, 'd')), "F"}}) {
        SCOPED_TRACE(args[0]);
        EXPECT_NE(Run(args), 0) << err.str();
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_EQ(Run({"capture", "--port", dir.File("no-port"), "--dir", "", "F"}), 1);
    const std::string report = err.str();
    EXPECT_EQ(report.rfind("orvale-cli: '': ", 0), 0u) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
}

TEST_F(CliHostileInput, OutputThatCannotBeWrittenIsAnError) {
    const std::string file = Flight("F.DAT");
    Put("FLT.PAR", "");
    const std::vector<std::vector<std::string>> commands = {
        {"help"},
        {"summary", file},
        {"summary", "--json", file},
        {"series", file, "--channel", "1"},
        {"formula", "CH1+1"},
        {"export", file, "--channels", "1"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0]);
        FullDevice device;
        std::ostream full(&device);
        err.str("");
        EXPECT_EQ(RunCli(args, full, err, dir.path().string() + "/"), 1);
        EXPECT_NE(err.str().find("could not be written"), std::string::npos) << err.str();
    }
}

TEST_F(CliHostileInput, ExportReplacesOnlyARegularFileOrMakesANewOne) {
    const std::string file = Flight("F.DAT");
    Put("target.csv", "kept");
    fs::create_symlink(dir.File("target.csv"), dir.File("link.csv"));
    fs::create_directory(dir.File("folder.csv"));
    ASSERT_EQ(::mkfifo(dir.File("fifo.csv").c_str(), 0600), 0);
    std::vector<std::string> names = {dir.File("link.csv"), dir.File("folder.csv"),
                                      dir.File("fifo.csv")};
    // A device of the scratch folder's own (a copy of the null device), never a system one: a
    // program that replaced it would break nothing else. Without the right to make one, the
    // device case is left out.
    const bool device =
        ::mknod(dir.File("device.csv").c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0;
    if (device)
        names.push_back(dir.File("device.csv"));
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Run({"export", file, "--channels", "1", "--out", name}), 1);
        EXPECT_NE(err.str().find(name), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_TRUE(fs::is_symlink(dir.File("link.csv")));
    EXPECT_EQ(fs::status(dir.File("fifo.csv")).type(), fs::file_type::fifo);
    if (device) {
        EXPECT_EQ(fs::status(dir.File("device.csv")).type(), fs::file_type::character);
    }
    std::ifstream kept(dir.File("target.csv"));
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "kept");

    // "-" is standard output; a new name and a regular file are written.
    ASSERT_EQ(Run({"export", file, "--channels", "1", "--out", "-"}), 0) << err.str();
    EXPECT_EQ(out.str().rfind("Flight Time (sec),", 0), 0u);
    ASSERT_EQ(Run({"export", file, "--channels", "1", "--out", dir.File("target.csv")}), 0);
    ASSERT_EQ(Run({"export", file, "--channels", "1", "--out", dir.File("new.csv")}), 0);
    EXPECT_EQ(Run({"export", file, "--out", ""}), 2);
}

TEST_F(CliHostileInput, AWindowShorterThanOneSampleHasNoPoints) {
    const std::string file = Flight("F.DAT");
    for (const char* formula : {"CH1", "FFT(CH1)"}) {
        for (const char* start : {"100", "255.24"}) {
            SCOPED_TRACE(std::string(formula) + " from " + start);
            EXPECT_EQ(Run({"series", file, "--formula", formula, "--start", start, "--length",
                           "0.01", "--json"}),
                      1);
            EXPECT_EQ(Value(out.str(), "count"), "-1") << out.str();
            EXPECT_EQ(Value(out.str(), "x"), "[]");
            EXPECT_NE(out.str().find("shorter than one sample"), std::string::npos) << out.str();
        }
    }
}

TEST_F(CliHostileInput, NumberOptionsOutOfRangeAreRefusedWithTheUsage) {
    const std::string file = Flight("F.DAT");
    const std::vector<std::vector<std::string>> refused = {
        {"live", "--port", "/dev/null", "--seconds", "inf"},
        {"live", "--port", "/dev/null", "--seconds", "1e300"},
        {"live", "--port", "/dev/null", "--seconds", "nan"},
        {"live", "--port", "/dev/null", "--seconds", "-1"},
        {"summary", "--stages", "1e300", file},
        {"summary", "--stages", "-1", file},
        {"summary", "--filter1", "7", file},
        {"series", file, "--channel", "1", "--start", "inf"},
        {"series", file, "--channel", "1", "--length", "1e999"},
        {"series", file, "--channel", "1", "--min", "1e300"},
    };
    for (const auto& args : refused) {
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_EQ(Run(args), 2);
        EXPECT_NE(err.str().find("usage:"), std::string::npos) << err.str();
    }
    ASSERT_EQ(Run({"summary", "--json", "--filter1", "heavy", "--stages", "2", file}), 0);
}

TEST_F(CliHostileInput, EveryJsonLineIsValidUtf8) {
    for (const char* formula : {"CH\u20ac", ".\u00e9", "CH1+\u00e9\u00e9", "\xff\xfe", "CH\xc3"}) {
        SCOPED_TRACE(formula);
        EXPECT_EQ(Run({"formula", "--json", formula}), 1);
        EXPECT_TRUE(ValidUtf8(out.str())) << out.str();
        EXPECT_NE(out.str().find("\"messages\":[{"), std::string::npos) << out.str();
    }
    Run({"formula", "--json", "CH\u20ac"});
    EXPECT_NE(out.str().find("\\\"CH\u20ac\\\""), std::string::npos) << out.str();
    // Windows-1252 bytes of a parameter file, a cut character, an overlong form, a surrogate.
    EXPECT_EQ(JsonString("d\xb0 caf\xe9"), "\"d\uFFFD caf\uFFFD\"");
    EXPECT_EQ(JsonString("\xe2\x82"), "\"\uFFFD\uFFFD\"");
    EXPECT_EQ(JsonString("\xc0\xaf\xed\xa0\x80"), "\"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\"");
    EXPECT_EQ(JsonString("\u00e9\u20ac\U0001F680"), "\"\u00e9\u20ac\U0001F680\"");
}

TEST_F(CliHostileInput, AMeaninglessCalibrationGivesNoInfinityInJson) {
    // A burn of 40 readings above zero g before the main fires at 10 s.
    TestImage image(100, 200);
    image.SetMain(10, 0, 190);
    for (int k = 8; k < 4088; ++k)
        image.SetAccel(k, k < 60 ? 140 : 100);
    const std::string file = image.Write(dir.path() / "F.DAT");
    for (const char* slope : {"0", "1e-45", "1e-33"}) {
        SCOPED_TRACE(slope);
        Put("x.cal", std::string("do/dg ") + slope + "\r\n");
        ASSERT_EQ(Run({"summary", "--json", "--cal", dir.File("x.cal"), file}), 0) << err.str();
        EXPECT_EQ(out.str().find("inf"), std::string::npos) << out.str();
        EXPECT_EQ(out.str().find("nan"), std::string::npos) << out.str();
        EXPECT_EQ(out.str().find("null"), std::string::npos) << out.str();
        EXPECT_NE(err.str().find("do/dg"), std::string::npos) << err.str();
    }
}

}  // namespace
}  // namespace orvale::test
