// Start-up's part that reads files: program and working directories, the settings, the default
// parameter file and the calibration file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "fake_prompts.h"
#include "files/settings_file.h"
#include "files/startup_files.h"
#include "files/temp_folder.h"
#include "files/working_directory.h"

namespace orvale {
namespace {

namespace fs = std::filesystem;

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::set<std::string> Names(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

std::string ShippedSamples() {
    const char* env = std::getenv("ORVALE_SAMPLES");
    return env ? std::string(env) : std::string(ORVALE_SOURCE_DIR) + "/samples";
}

TEST(Startup, ReadsTheSettingsTheDefaultParameterFileAndTheCalibration) {
    TempFolder program;
    const std::string flights = program.Path() + "flights/";
    fs::create_directory(flights);
    Put(program.Path() + "Quenda.INI",
        "[Main]\r\nPath=" + flights +
            "\r\nCalibration_Filename=Site.cal\r\nDefault_Filename=Run7\r\n[DAU]\r\nPort=2\r\n");
    Put(flights + "DEFAULT.PAR",
        "[Flight Data]\r\nNote=from the default file\r\nStages=2\r\n"
        "[Channel 4 Data]\r\nSelected=1\r\nTitle=Battery (V)\r\n");
    Put(flights + "Site.cal", "gainbp 1.5\r\ndo/dg 3.5\r\n");

    AppState state;
    test::FakePrompts prompts;
    InitProgramState(state, {0, program.Path(), ShippedSamples()}, prompts);
    EXPECT_EQ(state.programDirectory, program.Path());
    EXPECT_EQ(state.workingDirectory, flights);
    EXPECT_EQ(state.settings.port, 2);
    EXPECT_EQ(state.defaultDataFileName, "Run7");
    EXPECT_EQ(state.calibrationFilePath, flights + "Site.cal");
    EXPECT_EQ(state.flight.calibrationFile, flights + "Site.cal");
    EXPECT_EQ(state.entries[0].parameterFileName, "DEFAULT.PAR");
    EXPECT_EQ(state.flight.note, "from the default file");
    EXPECT_EQ(state.flight.stages, 2);
    EXPECT_TRUE(state.channels[3].selected);
    EXPECT_EQ(state.channels[3].title, "Battery (V)");
    EXPECT_EQ(state.channels[0].title, "Acceleration (g)");
    EXPECT_EQ(state.calibration.gainbp, 1.5f);
    EXPECT_EQ(state.calibration.dodg, 3.5f);
    EXPECT_EQ(state.calibration.avgbp, 210.0f);
    EXPECT_EQ(Names(flights), (std::set<std::string>{"DEFAULT.PAR", "Site.cal"}))
        << "samples were copied into an existing working directory";
    EXPECT_TRUE(prompts.warnings.empty());
    EXPECT_TRUE(prompts.errors.empty());

    // The flight's own calibration name comes from the parameter file; the file read is still
    // the one of the settings.
    Put(flights + "DEFAULT.PAR", "[Flight Data]\r\nCalibation Data File=Other.cal\r\n");
    AppState other;
    InitProgramState(other, {0, program.Path(), {}}, prompts);
    EXPECT_EQ(other.flight.calibrationFile, "Other.cal");
    EXPECT_EQ(other.calibrationFilePath, flights + "Site.cal");
    EXPECT_EQ(other.calibration.gainbp, 1.5f);
}

TEST(Startup, AMissingWorkingDirectoryIsCreatedWithTheSampleFlights) {
    TempFolder samples;
    for (const char* name : {"A.DAT", "A.PAR", "b.dat", "b.par", "notes.txt"})
        Put(samples.Path() + name, name);
    Put(samples.Path() + "Vessin.cal", "gainbp 1.25\r\n");
    struct Case {
        const char* what;
        bool exists;
        bool withSamples;
        std::optional<std::set<std::string>> contents;  // nullopt: no working directory
    };
    const Case cases[] = {
        {"missing", false, true,
         std::set<std::string>{"A.DAT", "A.PAR", "b.dat", "b.par", "Vessin.cal", "DEFAULT.PAR"}},
        {"present", true, true, std::set<std::string>{"mine.DAT"}},
        {"no samples", false, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder program;
        const std::string data = program.Path() + "DATA/";
        if (c.exists) {
            fs::create_directory(data);
            Put(data + "mine.DAT", "mine");
        }
        AppState state;
        test::FakePrompts prompts;
        InitProgramState(state, {0, program.Path(), c.withSamples ? samples.Path() : ""}, prompts);
        EXPECT_EQ(state.workingDirectory, data);
        EXPECT_EQ(fs::exists(data), c.contents.has_value());
        if (c.contents) {
            EXPECT_EQ(Names(data), *c.contents);
        }
        // The first start writes DEFAULT.PAR beside the samples; it names the seeded calibration.
        const bool seeded = c.contents && !c.exists;
        EXPECT_EQ(state.entries[0].parameterFileName, seeded ? "DEFAULT.PAR" : "None");
        if (seeded) {
            EXPECT_EQ(state.flight.calibrationFile, "Vessin.cal");
            EXPECT_EQ(state.channels[0].title, "Acceleration (g)");
        }
        // The seeded calibration is the one start-up reads.
        EXPECT_EQ(state.calibration.gainbp, c.contents && !c.exists ? 1.25f : 1.0f);
        EXPECT_TRUE(prompts.warnings.empty());
    }
}

TEST(Startup, AMissingWorkingDirectoryIsNotCreatedAndStaysInTheSettings) {
    TempFolder samples;
    Put(samples.Path() + "A.DAT", "A");
    TempFolder program;
    const std::string stick = program.Path() + "media/stick/flights/";
    const std::string data = program.Path() + "DATA/";
    Put(program.Path() + "QUENDA.INI", "[Main]\r\nPath=" + stick + "\r\n");

    AppState state;
    test::FakePrompts prompts;
    InitProgramState(state, {0, program.Path(), samples.Path()}, prompts);
    EXPECT_EQ(prompts.warnings,
              std::vector<std::string>{"The working directory " + stick +
                                       " is missing; Orvale works in " + data + " instead."});
    EXPECT_EQ(state.workingDirectory, data);
    EXPECT_FALSE(fs::exists(program.Path() + "media")) << "something was created at the path";
    EXPECT_EQ(Names(data), (std::set<std::string>{"A.DAT", "DEFAULT.PAR"}));

    // The settings keep the missing folder while the program works in the default one...
    SaveSettings(state);
    AppState next;
    test::FakePrompts quiet;
    InitProgramState(next, {0, program.Path(), samples.Path()}, quiet);
    EXPECT_EQ(quiet.warnings.size(), 1u);
    // ...so the stick is used again once it is back.
    fs::create_directories(stick);
    AppState back;
    InitProgramState(back, {0, program.Path(), samples.Path()}, quiet);
    EXPECT_EQ(back.workingDirectory, stick);
    EXPECT_EQ(quiet.warnings.size(), 1u);
    EXPECT_TRUE(fs::is_empty(stick)) << "samples were copied onto the stick";
    fs::remove_all(program.Path() + "media");

    // Working elsewhere is the flyer's choice of another folder: the settings take it.
    const std::string other = program.Path() + "other/";
    fs::create_directory(other);
    next.workingDirectory = other;
    SaveSettings(next);
    AppState chosen;
    InitProgramState(chosen, {0, program.Path(), samples.Path()}, quiet);
    EXPECT_EQ(chosen.workingDirectory, other);
    EXPECT_EQ(quiet.warnings.size(), 1u);
}

TEST(Startup, RefusedFilesNamedByTheSettingsAreReportedAndStartUpGoesOn) {
    TempFolder program;
    const std::string data = program.Path() + "DATA/";
    fs::create_directory(data);
    Put(program.Path() + "QUENDA.INI",
        "[Main]\r\nCalibration_Filename=/dev/zero\r\n[DAU]\r\nPort=3\r\n");
    ASSERT_EQ(::mkfifo((data + "DEFAULT.PAR").c_str(), 0600), 0);
    AppState state;
    test::FakePrompts prompts;
    InitProgramState(state, {0, program.Path(), {}}, prompts);
    EXPECT_EQ(state.settings.port, 3);
    EXPECT_EQ(prompts.warnings, (std::vector<std::string>{
                                    "Unable to read " + data + "DEFAULT.PAR (not a regular file)",
                                    "Unable to read /dev/zero (not a regular file)"}));
}

TEST(Startup, EveryShippedSampleFlightArrivesWithItsParameterFile) {
    TempFolder program;
    AppState state;
    test::FakePrompts prompts;
    InitProgramState(state, {0, program.Path(), ShippedSamples()}, prompts);
    const std::set<std::string> names = Names(state.workingDirectory);
    int flights = 0;
    for (const std::string& name : names) {
        if (fs::path(name).extension() != ".DAT")
            continue;
        ++flights;
        const std::string par = fs::path(name).stem().string() + ".PAR";
        EXPECT_TRUE(names.count(par)) << name << " has no " << par;
    }
    EXPECT_GE(flights, 8);
    // The calibration the sample parameter files name arrives with them.
    EXPECT_TRUE(names.count("Vessin.cal"));
}

TEST(Startup, ProgramDirectoryIsTheExecutablesFolderOrTheUsersDataFolder) {
    TempFolder home;
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::optional<std::string> savedXdg =
        oldXdg ? std::optional<std::string>(oldXdg) : std::nullopt;
    const std::optional<std::string> savedHome =
        oldHome ? std::optional<std::string>(oldHome) : std::nullopt;

    const std::string writable = home.Path() + "bin";
    fs::create_directory(writable);
    EXPECT_EQ(ChooseProgramDirectory(writable), writable + "/");

    const std::string missing = home.Path() + "no/such/bin/";
    setenv("XDG_DATA_HOME", (home.Path() + "xdg").c_str(), 1);
    EXPECT_EQ(ChooseProgramDirectory(missing), home.Path() + "xdg/Orvale/");
    EXPECT_TRUE(fs::is_directory(home.Path() + "xdg/Orvale/"));

    setenv("XDG_DATA_HOME", "relative/path", 1);  // not absolute: ignored
    setenv("HOME", (home.Path() + "me").c_str(), 1);
    EXPECT_EQ(ChooseProgramDirectory(missing), home.Path() + "me/.local/share/Orvale/");
    EXPECT_TRUE(fs::is_directory(home.Path() + "me/.local/share/Orvale/"));

    if (savedXdg)
        setenv("XDG_DATA_HOME", savedXdg->c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    if (savedHome)
        setenv("HOME", savedHome->c_str(), 1);
    else
        unsetenv("HOME");
}

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(Startup, AnInstalledProgramKeepsItsFilesInTheUsersFolderAndSeedsItFromItsSamples) {
    TempFolder root;
    const ScopedEnv xdg("XDG_DATA_HOME", root.Path() + "home/.local/share");
    // A program installed under a prefix the user can write to (root in /usr): its samples
    // sit in <prefix>/share/orvale/samples.
    const std::string bin = root.Path() + "usr/bin/";
    const std::string samples = root.Path() + "usr/share/orvale/samples/";
    fs::create_directories(bin);
    fs::create_directories(samples);
    for (const char* name : {"FLT-001.DAT", "FLT-001.PAR", "Vessin.cal"})
        fs::copy_file(ShippedSamples() + "/" + name, samples + name);
    Put(samples + "README.md", "notes");

    EXPECT_EQ(InstalledSamplesDirectory(bin), samples);
    EXPECT_EQ(InstalledSamplesDirectory(root.Path() + "usr/bin"), samples);  // no separator
    const std::string user = root.Path() + "home/.local/share/Orvale/";
    EXPECT_EQ(ChooseProgramDirectory(bin), user);

    AppState state;
    test::FakePrompts prompts;
    InitProgramState(state, {0, ChooseProgramDirectory(bin), InstalledSamplesDirectory(bin)},
                     prompts);
    EXPECT_EQ(state.workingDirectory, user + "DATA/");
    EXPECT_EQ(state.settingsFile, user + "QUENDA.INI");
    const std::set<std::string> names = Names(user + "DATA/");
    EXPECT_TRUE(names.count("FLT-001.DAT") && names.count("FLT-001.PAR") &&
                names.count("Vessin.cal"))
        << names.size();
    EXPECT_FALSE(names.count("README.md"));
    EXPECT_TRUE(Names(bin).empty()) << "nothing may be written beside the installed programs";

    // A program run from its build folder has no installed samples and keeps its own folder.
    const std::string build = root.Path() + "build/src/";
    fs::create_directories(build);
    EXPECT_EQ(InstalledSamplesDirectory(build), "");
    EXPECT_EQ(ChooseProgramDirectory(build), build);
    EXPECT_EQ(InstalledSamplesDirectory(""), "");
}

}  // namespace
}  // namespace orvale
