// The parameter, calibration and settings files are 8-bit text read through a bound: every byte
// survives a read and a write, a character the set cannot hold is refused before anything is
// written, and devices, FIFOs, folders and huge files are refused without blocking.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "core/file_error.h"
#include "core/program_state.h"
#include "fake_prompts.h"
#include "files/calibration_file.h"
#include "files/ini_file.h"
#include "files/parameter_file.h"
#include "files/small_file.h"
#include "files/temp_folder.h"
#include "files/windows1252.h"

namespace orvale {
namespace {

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Windows1252, EveryByteHasACharacterAndComesBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string text = DecodeWindows1252(all);
    EXPECT_EQ(EncodeWindows1252(text), all);
    EXPECT_EQ(FirstCharacterOutsideWindows1252(text), std::nullopt);

    EXPECT_EQ(DecodeWindows1252("\xB0"), "°");
    EXPECT_EQ(DecodeWindows1252("\xE9"), "é");
    EXPECT_EQ(DecodeWindows1252("\x80\x99\x9F"), "€™Ÿ");
    // The undefined bytes are the control characters of the same number.
    EXPECT_EQ(DecodeWindows1252("\x81\x8D\x8F\x90\x9D"),
              "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");

    EXPECT_EQ(EncodeWindows1252("5 °C, Zoë – “calm”"),
              "5 \xB0"
              "C, Zo\xEB \x96 \x93"
              "calm\x94");
    EXPECT_EQ(EncodeWindows1252("Ω"), std::nullopt);
    EXPECT_EQ(EncodeWindows1252("\xC2\x80"), std::nullopt) << "U+0080 is not the euro's byte";
    EXPECT_EQ(EncodeWindows1252("caf\xE9"), std::nullopt) << "not UTF-8";
    EXPECT_EQ(EncodeWindows1252("\xC3"), std::nullopt) << "cut character";
    EXPECT_EQ(FirstCharacterOutsideWindows1252("ab Ω 😀"), "\"Ω\"");
    EXPECT_EQ(FirstCharacterOutsideWindows1252("caf\xE9"), "byte 0xE9");
}

TEST(EightBitFiles, AParameterFileComesBackByteForByte) {
    TempFolder folder;
    // Every byte from 0x20 up, in texts of at most 80 characters that do not start with a blank.
    std::string bytes[3];
    for (int b = 0x21; b < 0x100; ++b)
        bytes[(b - 0x21) / 80] += static_cast<char>(b);
    bytes[2] += " end";
    const std::string original = "[Flight Data]\r\nNote=" + bytes[0] + "\r\nLocation=" + bytes[1] +
                                 "\r\nWeather=" + bytes[2] + "\r\nModel=Caf\xE9 \xB0\x81\r\n" +
                                 "Motor=12 \xB0" + "C \x80\r\n";
    AppState state;
    SetProgramDefaults(state, 0);
    state.workingDirectory = folder.Path();
    state.current().parameterFileName = "FLT-001.PAR";
    const std::string path = folder.Path() + "FLT-001.PAR";
    Put(path, original);
    test::FakePrompts prompts;
    ReadParameterFile(state, prompts, true);
    EXPECT_EQ(state.flight.model, "Café °\xC2\x81");
    EXPECT_EQ(state.flight.motor, "12 °C €");
    EXPECT_EQ(state.flight.weather.substr(0, 2), "Á") << "0xC1";

    WriteParameterFile(state);
    const std::string written = Contents(path);
    EXPECT_EQ(written.substr(0, original.size()), original);
    AppState again = state;
    ReadParameterFile(again, prompts, true);
    EXPECT_EQ(again.flight.note, state.flight.note);
    EXPECT_EQ(again.flight.location, state.flight.location);
    EXPECT_EQ(again.flight.weather, state.flight.weather);

    // A character the set has no byte for is refused with the key's name; nothing is written.
    state.flight.motor = "F20–4W Ω";
    try {
        WriteParameterFile(state);
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path +
                                             " (Motor holds \"Ω\", a character this 8-bit file "
                                             "cannot hold)");
    }
    EXPECT_EQ(Contents(path), written);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"FLT-001.PAR"});
}

TEST(EightBitFiles, DevicesFifosFoldersAndHugeFilesAreRefused) {
    TempFolder folder;
    const std::string fifo = folder.Path() + "NAME.PAR";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = folder.Path() + "HUGE.PAR";
    Put(huge, std::string(kSmallFileLimit + 1, '\n'));
    const std::string justUnder = folder.Path() + "BIG.PAR";
    Put(justUnder,
        std::string(kSmallFileLimit - 40, '\n') + "[Flight Data]\r\nNote=at the end\r\n");
    struct Case {
        std::string path;
        std::string reason;
    };
    const Case refused[] = {
        {"/dev/zero", "not a regular file"},
        {fifo, "not a regular file"},
        {folder.Path(), "a folder, not a file"},
        {huge, "larger than 1 MiB"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.path);
        const std::string message = "Unable to read " + c.path + " (" + c.reason + ")";
        const SmallFile file = ReadSmallFile(c.path);
        EXPECT_EQ(file.status, SmallFile::Refused);
        EXPECT_EQ(file.failure, message);
        try {
            IniFile::Load(c.path);
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        // A calibration that is a folder is ignored as before; the others are refused.
        AppState state;
        SetProgramDefaults(state, 0);
        state.calibrationFilePath = c.path;
        const CalibrationData before = state.calibration;
        test::FakePrompts prompts;
        if (c.path == folder.Path()) {
            EXPECT_NO_THROW(ReadCalibrationFile(state, prompts));
        } else {
            EXPECT_THROW(ReadCalibrationFile(state, prompts), FileError);
        }
        EXPECT_EQ(state.calibration.gainbp, before.gainbp);
    }
    EXPECT_EQ(ReadSmallFile(folder.Path() + "none").status, SmallFile::Missing);
    // /proc files report no size; what they hold is still read.
    EXPECT_EQ(ReadSmallFile("/proc/self/stat").status, SmallFile::Read);

    // A file just under the bound is read, keys found in one pass.
    EXPECT_EQ(IniFile::Load(justUnder).ReadString("Flight Data", "Note", ""), "at the end");
}

}  // namespace
}  // namespace orvale
