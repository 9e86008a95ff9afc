#include "files/data_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/file_error.h"
#include "core/program_state.h"
#include "fake_prompts.h"
#include "files/safe_file.h"
#include "files/temp_folder.h"
#include "test_image.h"

namespace orvale {
namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The real file system with a disk that fills up: a created file takes `room` bytes, and with
// failAtClose the disk reports itself full only when the file is closed.
class FillingDisk : public FileLayer {
public:
    FillingDisk(size_t room, bool failAtClose) : room_(room), failAtClose_(failAtClose) {}

    std::unique_ptr<FileSource> OpenForReading(const std::string& path) override {
        return RealFileLayer().OpenForReading(path);
    }
    std::unique_ptr<FileSink> Create(const std::string& path) override {
        created.push_back(path);
        return std::make_unique<Sink>(RealFileLayer().Create(path), room_, failAtClose_);
    }

    std::vector<std::string> created;

private:
    struct Sink : FileSink {
        Sink(std::unique_ptr<FileSink> inner, size_t room, bool failAtClose)
            : inner(std::move(inner)), room(room), failAtClose(failAtClose) {}
        size_t Write(const void* data, size_t size) override {
            const size_t n = std::min(size, room - used);
            if (n > 0)
                inner->Write(data, n);
            used += n;
            return n;
        }
        bool Close() override { return inner->Close() && !failAtClose; }
        std::unique_ptr<FileSink> inner;
        size_t room;
        bool failAtClose;
        size_t used = 0;
    };
    size_t room_;
    bool failAtClose_;
};

class DataFiles : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDefaults(state, 0);
        state.workingDirectory = folder.Path();
        state.flight.note = "saved with the flight";
    }

    // A flight whose bytes differ from every other one made here.
    std::string MakeFlight(const std::string& path, uint8_t site = 200) {
        test::TestImage image(100, site);
        image.SetMain(12, 3, 190);
        image.Write(path);
        return Contents(path);
    }

    TempFolder folder;
    AppState state;
    test::FakePrompts prompts;
};

TEST(NextDefaultName, CountsUpWhileTheNumberKeepsItsWidth) {
    const std::pair<const char*, const char*> cases[] = {
        {"Flt-001", "Flt-002"}, {"Flt-009", "Flt-010"}, {"Flt-099", "Flt-100"},
        {"Flt-999", "Flt-999"}, {"Run7", "Run8"},       {"Run9", "Run9"},
        {"Run09", "Run10"},     {"Flight", "Flight"},   {"", ""},
        {"A1B2", "A1B3"},       {"F-9", "F-9"},         {"x0", "x1"},
    };
    for (const auto& [name, next] : cases)
        EXPECT_EQ(NextDefaultName(name), next) << name;
}

TEST_F(DataFiles, AskSaveNameTakesTheBaseNameIntoTheWorkingDirectory) {
    struct Case {
        std::string name;
        std::optional<std::string> answer;
        const char* extension;
        const char* proposal;
        const char* result;
    };
    const Case cases[] = {
        {"None", "/elsewhere/FLIGHT3", "DAT", "", "FLIGHT3.DAT"},
        {folder.Path() + "VERYLONGFILENAME.DAT", "/elsewhere/FLIGHT3.dat", "DAT", "VERYLONGFILEN",
         "FLIGHT3.DAT"},
        {"A.PAR", "/x/A.B.C", "PAR", "A.PAR", "A.PAR"},
        {"A.PAR", std::nullopt, "PAR", "A.PAR", "None"},
        {"A.PAR", "/x/.hidden", "PAR", "A.PAR", "None"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakePrompts dialog;
        dialog.fileAnswers = {c.answer};
        EXPECT_EQ(AskSaveName(state, dialog, c.name, c.extension, " Title ", 2), c.result);
        ASSERT_EQ(dialog.fileRequests.size(), 1u);
        const FileDialogRequest& r = dialog.fileRequests[0];
        EXPECT_EQ(r.proposedName, c.proposal);
        EXPECT_EQ(r.title, " Title ");
        EXPECT_EQ(r.defaultExtension, c.extension);
        EXPECT_EQ(r.initialDirectory, folder.Path());
        EXPECT_EQ(r.filter, "Data files|*.dat|Parameter files|*.par");
        EXPECT_EQ(r.filterIndex, 2);
    }
    EXPECT_EQ(state.workingDirectory, folder.Path());
}

TEST_F(DataFiles, NothingToSave) {
    struct Case {
        const char* dataFileName;
        int32_t loadedDataSize;
    };
    for (const Case& c : {Case{"None", 8}, Case{"FLT-001.DAT", 0}}) {
        SCOPED_TRACE(c.dataFileName);
        test::FakePrompts box;
        state.current().dataFileName = c.dataFileName;
        state.loadedDataSize = c.loadedDataSize;
        SaveDataFile(state, box, RealFileLayer());
        EXPECT_EQ(box.errors, std::vector<std::string>{"No data to save"});
        EXPECT_TRUE(box.fileRequests.empty());
    }
    EXPECT_TRUE(folder.Names().empty());
}

// The three ways a flight is held before Save Data file.
enum class Held {
    LoadedFile,   // opened from A.DAT: the image file is the data file, saved as B
    SameName,     // captured as FLT-001.DAT and saved under that very name
    ScratchFile,  // "Capture": the image is in RAMFILE.TMP, saved as NEW
};

struct Scenario {
    Held held;
    const char* answer;  // the save dialog's choice; its folder is not used
    const char* target;
    const char* proposal;
};

const Scenario kScenarios[] = {
    {Held::LoadedFile, "/elsewhere/B.dat", "B.DAT", "A.DAT"},
    {Held::SameName, "/elsewhere/FLT-001", "FLT-001.DAT", "FLT-001.DAT"},
    {Held::ScratchFile, "/elsewhere/NEW.DAT", "NEW.DAT", "OLD.DAT"},
};

class SaveData : public DataFiles {
protected:
    // Puts the flight in place; returns the path of the file that holds its image.
    std::string Hold(Held held) {
        const std::string wd = folder.Path();
        DataFileEntry& entry = state.current();
        state.loadedDataSize = 8;
        state.previousDataFileName = "OLD.DAT";
        entry.parameterFileName = "KEEP.PAR";
        const char* file = held == Held::LoadedFile ? "A.DAT"
                           : held == Held::SameName ? "FLT-001.DAT"
                                                    : "RAMFILE.TMP";
        state.imageFilePath = wd + file;
        image = MakeFlight(state.imageFilePath);
        entry.dataFileName = held == Held::LoadedFile ? state.imageFilePath
                             : held == Held::SameName ? "FLT-001.DAT"
                                                      : "Capture";
        return state.imageFilePath;
    }

    std::string image;
};

TEST_F(SaveData, CopiesTheImageAndWritesTheParameterFileBesideIt) {
    for (const Scenario& s : kScenarios) {
        SCOPED_TRACE(s.target);
        for (const std::string& name : folder.Names())
            fs::remove(folder.Path() + name);
        if (s.held == Held::SameName)
            Put(folder.Path() + "RAMFILE.TMP", "a stale scratch file");
        const std::string source = Hold(s.held);
        test::FakePrompts dialog;
        dialog.fileAnswers = {s.answer};
        SaveDataFile(state, dialog, RealFileLayer());

        ASSERT_EQ(dialog.fileRequests.size(), 1u);
        EXPECT_EQ(dialog.fileRequests[0].proposedName, s.proposal);
        EXPECT_EQ(dialog.fileRequests[0].title, " Save Data File ");
        EXPECT_EQ(dialog.fileRequests[0].filterIndex, 1);
        EXPECT_EQ(dialog.fileRequests[0].defaultExtension, "DAT");
        EXPECT_TRUE(dialog.errors.empty());

        const std::string target = folder.Path() + s.target;
        const std::string base = fs::path(s.target).stem().string();
        EXPECT_EQ(Contents(target), image);
        EXPECT_EQ(state.current().dataFileName, s.target);
        EXPECT_EQ(state.current().parameterFileName, base + ".PAR");
        EXPECT_NE(Contents(folder.Path() + base + ".PAR").find("Note=saved with the flight\r\n"),
                  std::string::npos);
        std::set<std::string> names = {s.target, base + ".PAR"};
        if (s.held == Held::LoadedFile) {
            // A copy: the flight stays where it was read from.
            names.insert("A.DAT");
            EXPECT_EQ(state.imageFilePath, source);
            EXPECT_EQ(Contents(source), image);
        } else {
            // The scratch file became the named file.
            EXPECT_EQ(state.imageFilePath, target);
        }
        EXPECT_EQ(folder.Names(), names);
    }
}

TEST_F(SaveData, CancellingChangesNothing) {
    for (const Scenario& s : kScenarios) {
        SCOPED_TRACE(s.target);
        const std::string source = Hold(s.held);
        const std::set<std::string> names = folder.Names();
        const AppState before = state;
        SaveDataFile(state, prompts, RealFileLayer());
        EXPECT_EQ(state.current().dataFileName, before.current().dataFileName);
        EXPECT_EQ(state.current().parameterFileName, "KEEP.PAR");
        EXPECT_EQ(state.imageFilePath, source);
        EXPECT_EQ(folder.Names(), names);
    }
}

TEST_F(SaveData, AFullDiskLosesNothing) {
    for (const Scenario& s : kScenarios) {
        for (bool failAtClose : {false, true}) {
            SCOPED_TRACE(testing::Message() << s.target << (failAtClose ? " full at close" : ""));
            for (const std::string& name : folder.Names())
                fs::remove(folder.Path() + name);
            const std::string source = Hold(s.held);
            const std::string dataFileName = state.current().dataFileName;
            const std::set<std::string> names = folder.Names();
            test::FakePrompts dialog;
            dialog.fileAnswers = {s.answer};
            FillingDisk disk(failAtClose ? 100000 : 5000, failAtClose);

            EXPECT_THROW(SaveDataFile(state, dialog, disk), FileError);
            EXPECT_EQ(disk.created, std::vector<std::string>{folder.Path() + s.target});
            // No partial target, no parameter file, no scratch file left over (or, when the
            // image lived there, the scratch file still in place).
            EXPECT_EQ(folder.Names(), names);
            EXPECT_EQ(Contents(source), image) << "the flight's own file was damaged";
            EXPECT_EQ(state.imageFilePath, source);
            EXPECT_EQ(state.current().dataFileName, dataFileName);
            EXPECT_EQ(state.current().parameterFileName, "KEEP.PAR");
        }
    }
}

TEST_F(DataFiles, SaveParameterFileAs) {
    DataFileEntry& entry = state.current();
    entry.dataFileName = folder.Path() + "A.DAT";
    entry.parameterFileName = "A.par";
    SaveParameterFileAs(state, prompts);  // cancelled
    EXPECT_EQ(entry.parameterFileName, "A.par");
    EXPECT_TRUE(folder.Names().empty());

    prompts.fileAnswers = {std::nullopt, "/elsewhere/Copy.par"};
    SaveParameterFileAs(state, prompts);
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    const FileDialogRequest& r = prompts.fileRequests[1];
    EXPECT_EQ(r.proposedName, "A.par");
    EXPECT_EQ(r.title, " Save Par File ");
    EXPECT_EQ(r.filterIndex, 2);
    EXPECT_EQ(r.defaultExtension, "PAR");
    EXPECT_EQ(entry.parameterFileName, "Copy.PAR");
    EXPECT_EQ(entry.dataFileName, folder.Path() + "A.DAT");
    EXPECT_EQ(folder.Names(), std::set<std::string>{"Copy.PAR"});
    EXPECT_NE(Contents(folder.Path() + "Copy.PAR").find("Note=saved with the flight\r\n"),
              std::string::npos);
}

TEST_F(DataFiles, AskCaptureFileName) {
    struct Case {
        std::optional<std::string> answer;
        const char* captureName;
        const char* workingDirectory;
        const char* nextDefault;
    };
    const Case cases[] = {
        {"/new/folder/Flt-009.dat", "Flt-009.DAT", "/new/folder/", "Flt-010"},
        {"/f/Flight12345.dat", "Flight12345.DAT", "/f/", "Flight13"},
        {"/f/Run9.DAT", "Run9.DAT", "/f/", "Run9"},
        {"/f/My.Flight.dat", "My.DAT", "/f/", "My"},
        {std::nullopt, nullptr, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or("cancelled"));
        state.workingDirectory = folder.Path();
        state.defaultDataFileName = "Flt-001";
        state.current().dataFileName = "LAST.DAT";
        state.current().parameterFileName = "LAST.PAR";
        state.captureFileName = "None";
        test::FakePrompts dialog;
        dialog.fileAnswers = {c.answer};

        EXPECT_EQ(AskCaptureFileName(state, dialog), c.answer.has_value());
        ASSERT_EQ(dialog.fileRequests.size(), 1u);
        const FileDialogRequest& r = dialog.fileRequests[0];
        EXPECT_EQ(r.title, "Save Captured Data");
        EXPECT_EQ(r.filter, "Data files|*.dat");
        EXPECT_EQ(r.proposedName, "Flt-001.dat");
        EXPECT_EQ(r.initialDirectory, folder.Path());
        if (!c.answer) {
            EXPECT_EQ(state.workingDirectory, folder.Path());
            EXPECT_EQ(state.defaultDataFileName, "Flt-001");
            EXPECT_EQ(state.current().dataFileName, "LAST.DAT");
            EXPECT_EQ(state.current().parameterFileName, "LAST.PAR");
            continue;
        }
        const std::string base = fs::path(c.captureName).stem().string();
        EXPECT_EQ(state.captureFileName, c.captureName);
        EXPECT_EQ(state.workingDirectory, c.workingDirectory);
        EXPECT_EQ(state.defaultDataFileName, c.nextDefault);
        EXPECT_EQ(state.current().dataFileName, c.captureName);
        EXPECT_EQ(state.current().parameterFileName, base + ".PAR");
    }
}

// Flights are named without regard to letter case: a name that only differs in case from an
// existing flight is that flight, so replacing it is asked for and its spelling kept; and the
// capture's proposal is never a flight that is already there.
TEST_F(DataFiles, CaptureProposalSkipsFlightsThatAreThereInAnyCase) {
    Put(folder.Path() + "FLT-001.DAT", "sample");
    Put(folder.Path() + "flt-002.par", "description only");
    state.defaultDataFileName = "Flt-001";
    prompts.fileAnswers = {std::nullopt};
    EXPECT_FALSE(AskCaptureFileName(state, prompts));
    EXPECT_EQ(prompts.fileRequests[0].proposedName, "Flt-003.dat");
    EXPECT_EQ(state.defaultDataFileName, "Flt-001");  // the counter moves on only with a capture
}

TEST_F(DataFiles, CaptureNameOfAnotherSpellingIsThatFlightOnceConfirmed) {
    Put(folder.Path() + "FLT-001.DAT", "sample");
    Put(folder.Path() + "FLT-001.PAR", "[Flight Data]\r\nNote=the sample\r\n");
    const std::string both =
        "FLT-001.DAT and FLT-001.PAR already exist.\nDo you want to replace them?";

    prompts.fileAnswers = {folder.Path() + "Flt-001.dat"};
    prompts.confirmAnswer = false;
    EXPECT_FALSE(AskCaptureFileName(state, prompts));
    EXPECT_EQ(prompts.confirmations, std::vector<std::string>{both});
    EXPECT_EQ(state.current().dataFileName, "None");

    test::FakePrompts yes;
    yes.fileAnswers = {folder.Path() + "Flt-001.dat"};
    EXPECT_TRUE(AskCaptureFileName(state, yes));
    EXPECT_EQ(state.captureFileName, "FLT-001.DAT");
    EXPECT_EQ(state.current().dataFileName, "FLT-001.DAT");
    EXPECT_EQ(state.current().parameterFileName, "FLT-001.PAR");

    // The save dialog confirms nothing itself: the exact name is asked about too, once; a new
    // name is not asked about.
    test::FakePrompts quiet;
    quiet.fileAnswers = {folder.Path() + "FLT-001.DAT", folder.Path() + "Flt-077.dat"};
    EXPECT_TRUE(AskCaptureFileName(state, quiet));
    EXPECT_TRUE(AskCaptureFileName(state, quiet));
    EXPECT_EQ(quiet.confirmations, std::vector<std::string>{both});
    EXPECT_EQ(state.captureFileName, "Flt-077.DAT");
}

// Typing an existing flight's name without extension gets the dialog's lower-case ".dat": the
// flight's files in any spelling, data and parameter file alike, are asked about in one
// question, by the capture and by both save commands; declining writes nothing and renames
// nothing.
TEST_F(DataFiles, ReplacingAnyFileOfAFlightIsAskedOnce) {
    Put(folder.Path() + "FLT-003.DAT", "older image");
    Put(folder.Path() + "FLT-003.PAR", "[Flight Data]\r\nNote=older\r\n");
    Put(folder.Path() + "flt-004.par", "[Flight Data]\r\nNote=description only\r\n");
    const std::string both =
        "FLT-003.DAT and FLT-003.PAR already exist.\nDo you want to replace them?";

    const AppState before = state;
    prompts.fileAnswers = {folder.Path() + "FLT-003.dat", folder.Path() + "flt-004.dat"};
    prompts.confirmAnswer = false;
    EXPECT_FALSE(AskCaptureFileName(state, prompts));
    EXPECT_FALSE(AskCaptureFileName(state, prompts));
    EXPECT_EQ(prompts.confirmations,
              (std::vector<std::string>{both,
                                        "flt-004.par already exists.\nDo you want to "
                                        "replace it?"}));
    EXPECT_EQ(state.captureFileName, before.captureFileName);
    EXPECT_EQ(state.current().parameterFileName, before.current().parameterFileName);

    test::FakePrompts yes;
    yes.fileAnswers = {folder.Path() + "flt-004.dat"};
    EXPECT_TRUE(AskCaptureFileName(state, yes));
    EXPECT_EQ(yes.confirmations.size(), 1u);
    EXPECT_EQ(state.current().dataFileName, "flt-004.DAT");
    EXPECT_EQ(state.current().parameterFileName, "flt-004.par");  // its spelling kept

    // Save Data file and Save Par File.
    const std::string flight = MakeFlight(folder.Path() + "A.DAT");
    state.current().dataFileName = "A.DAT";
    state.current().parameterFileName = "A.PAR";
    state.imageFilePath = folder.Path() + "A.DAT";
    state.loadedDataSize = 8;
    test::FakePrompts no;
    no.confirmAnswer = false;
    no.fileAnswers = {folder.Path() + "FLT-003.dat", folder.Path() + "flt-003.PAR"};
    SaveDataFile(state, no, RealFileLayer());
    SaveParameterFileAs(state, no);
    EXPECT_EQ(no.confirmations,
              (std::vector<std::string>{both,
                                        "FLT-003.PAR already exists.\nDo you want to "
                                        "replace it?"}));
    EXPECT_EQ(Contents(folder.Path() + "FLT-003.DAT"), "older image");
    EXPECT_EQ(Contents(folder.Path() + "FLT-003.PAR"), "[Flight Data]\r\nNote=older\r\n");
    EXPECT_EQ(state.current().dataFileName, "A.DAT");
    EXPECT_EQ(state.current().parameterFileName, "A.PAR");

    // Saving onto a flight whose parameter file alone is there is asked about as well.
    test::FakePrompts once;
    once.fileAnswers = {folder.Path() + "FLT-004"};
    SaveDataFile(state, once, RealFileLayer());
    EXPECT_EQ(once.confirmations,
              std::vector<std::string>{"flt-004.par already exists.\nDo you want to replace it?"});
    EXPECT_EQ(Contents(folder.Path() + "FLT-004.DAT"), flight);
}

// A name that does not fit where the program keeps it would be cut, and the cut name names
// another flight: it is refused with a message naming the limit, before anything is asked or
// written.
TEST_F(DataFiles, NamesTooLongToKeepAreRefusedNotCut) {
    const std::string name64(64, 'N');
    Put(folder.Path() + name64 + ".DAT", "the flight with 64 characters");
    Put(folder.Path() + name64 + ".PAR", "[Flight Data]\r\nNote=its description\r\n");
    const std::string deep = folder.Path() + std::string(260 - folder.Path().size(), 'd') + "/";
    struct Case {
        std::string answer;
        const char* limit;
    };
    const Case cases[] = {
        {folder.Path() + name64 + "X", "is longer than 64 characters"},
        {folder.Path() + name64 + "X.dat", "is longer than 64 characters"},
        {deep + "FLIGHT.dat", "is longer than 255 characters"},
        {folder.Path() + std::string(250 - folder.Path().size(), 'f') + "/FLIGHT",
         "is longer than 255 characters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        const AppState before = state;
        test::FakePrompts dialog;
        dialog.fileAnswers = {c.answer};
        EXPECT_FALSE(AskCaptureFileName(state, dialog));
        ASSERT_EQ(dialog.warnings.size(), 1u);
        EXPECT_NE(dialog.warnings[0].find(c.limit), std::string::npos) << dialog.warnings[0];
        EXPECT_TRUE(dialog.confirmations.empty());
        EXPECT_EQ(state.workingDirectory, before.workingDirectory);
        EXPECT_EQ(state.current().dataFileName, before.current().dataFileName);
    }

    // The save commands keep to the same limits.
    MakeFlight(folder.Path() + "A.DAT");
    state.current().dataFileName = "A.DAT";
    state.current().parameterFileName = "A.PAR";
    state.imageFilePath = folder.Path() + "A.DAT";
    state.loadedDataSize = 8;
    test::FakePrompts save;
    save.fileAnswers = {folder.Path() + name64 + "X.dat", folder.Path() + name64 + "X.par"};
    SaveDataFile(state, save, RealFileLayer());
    SaveParameterFileAs(state, save);
    ASSERT_EQ(save.warnings.size(), 2u);
    EXPECT_NE(save.warnings[1].find("is longer than 64 characters"), std::string::npos);
    EXPECT_TRUE(save.confirmations.empty());
    EXPECT_EQ(Contents(folder.Path() + name64 + ".DAT"), "the flight with 64 characters");
    EXPECT_EQ(Contents(folder.Path() + name64 + ".PAR"),
              "[Flight Data]\r\nNote=its description\r\n");
    EXPECT_EQ(state.current().dataFileName, "A.DAT");
    EXPECT_EQ(state.current().parameterFileName, "A.PAR");
}

TEST_F(DataFiles, SavingUnderAnotherSpellingReplacesThatFlightOnlyWhenConfirmed) {
    const std::string flight = MakeFlight(folder.Path() + "A.DAT");
    Put(folder.Path() + "KEEP.DAT", "another flight");
    Put(folder.Path() + "KEEP.PAR", "[Flight Data]\r\nNote=another\r\n");
    state.current().dataFileName = "A.DAT";
    state.imageFilePath = folder.Path() + "A.DAT";
    state.loadedDataSize = 8;

    prompts.fileAnswers = {folder.Path() + "keep.dat"};
    prompts.confirmAnswer = false;
    SaveDataFile(state, prompts, RealFileLayer());
    EXPECT_EQ(prompts.confirmations.size(), 1u);
    EXPECT_EQ(Contents(folder.Path() + "KEEP.DAT"), "another flight");
    EXPECT_EQ(Contents(folder.Path() + "KEEP.PAR"), "[Flight Data]\r\nNote=another\r\n");
    EXPECT_EQ(state.current().dataFileName, "A.DAT");

    test::FakePrompts yes;
    yes.fileAnswers = {folder.Path() + "keep.dat"};
    SaveDataFile(state, yes, RealFileLayer());
    EXPECT_EQ(Contents(folder.Path() + "KEEP.DAT"), flight);
    EXPECT_NE(Contents(folder.Path() + "KEEP.PAR").find("saved with the flight"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(folder.Path() + "keep.dat"));
    EXPECT_FALSE(fs::exists(folder.Path() + "keep.PAR"));
}

TEST_F(DataFiles, OpeningADataFilePairsItWithItsParameterFile) {
    for (const char* parName : {"FLT-007.PAR", "FLT-007.par", "flt-007.Par"}) {
        for (uint16_t answer : {1, 2}) {
            SCOPED_TRACE(testing::Message() << parName << " summary answer " << answer);
            TempFolder flights;
            const std::string data = flights.Path() + "FLT-007.DAT";
            MakeFlight(data);
            Put(flights.Path() + parName, "[Flight Data]\r\nNote=from its own file\r\n");
            AppState s;
            SetProgramDefaults(s, 0);
            s.workingDirectory = folder.Path();
            test::FakePrompts dialog;
            dialog.fileAnswers = {data};
            dialog.summaryAnswer = answer;
            OpenChild(s, dialog, OpenCommand::DataFile);

            ASSERT_EQ(dialog.fileRequests.size(), 1u);
            const FileDialogRequest& r = dialog.fileRequests[0];
            EXPECT_EQ(r.title, "Load Data file");
            EXPECT_EQ(r.filter, "Data files|*.dat");
            EXPECT_EQ(r.proposedName, "*.dat");
            EXPECT_EQ(r.initialDirectory, folder.Path());

            EXPECT_EQ(s.workingDirectory, flights.Path());
            EXPECT_EQ(s.captureFileName, "FLT-007.DAT");
            EXPECT_EQ(s.lastDataFilePath, data);
            EXPECT_EQ(s.flight.note, "from its own file");
            EXPECT_EQ(dialog.summariesShown, 1);
            EXPECT_TRUE(dialog.warnings.empty());
            EXPECT_TRUE(dialog.errors.empty());
            if (answer == 1) {
                EXPECT_EQ(s.current().dataFileName, data);
                EXPECT_EQ(s.current().parameterFileName, "FLT-007.PAR");
                EXPECT_EQ(s.loadedDataSize, 8);
                EXPECT_EQ(dialog.commandsEnabled, std::vector<bool>{true});
            } else {
                EXPECT_EQ(s.current().dataFileName, "None");
                EXPECT_EQ(s.current().parameterFileName, "None");
                EXPECT_EQ(s.loadedDataSize, 0);
                EXPECT_EQ(dialog.commandsEnabled, std::vector<bool>{false});
            }
        }
    }
}

TEST_F(DataFiles, OpenDialogsProposeTheLastFilesChosen) {
    const std::string data = folder.Path() + "X.dat";
    MakeFlight(data);
    Put(folder.Path() + "X.PAR", "[Flight Data]\r\nNote=from X\r\n");
    Put(folder.Path() + "Y.par", "[Flight Data]\r\nNote=from Y\r\n");
    state.workingDirectory = "/start/";
    struct Step {
        OpenCommand command;
        std::optional<std::string> answer;
        std::string proposal;
    };
    const Step steps[] = {
        {OpenCommand::ParameterFile, std::nullopt, ""},
        {OpenCommand::DataFile, std::nullopt, "*.dat"},
        {OpenCommand::ParameterFile, std::nullopt, "*.dat"},  // the previous proposal
        {OpenCommand::DataFile, data, "*.dat"},
        {OpenCommand::ParameterFile, std::nullopt, folder.Path() + "X.PAR"},
        {OpenCommand::ParameterFile, folder.Path() + "Y.par", folder.Path() + "X.PAR"},
        {OpenCommand::ParameterFile, std::nullopt, folder.Path() + "Y.par"},
        {OpenCommand::DataFile, std::nullopt, data},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        const std::string workingDirectory = state.workingDirectory;
        prompts.fileAnswers.push_back(steps[i].answer);
        OpenChild(state, prompts, steps[i].command);
        ASSERT_EQ(prompts.fileRequests.size(), i + 1);
        const FileDialogRequest& r = prompts.fileRequests[i];
        EXPECT_EQ(r.proposedName, steps[i].proposal);
        EXPECT_EQ(r.initialDirectory, workingDirectory);
        if (steps[i].command == OpenCommand::ParameterFile) {
            EXPECT_EQ(r.title, "Load Parameter file");
            EXPECT_EQ(r.filter, "Parameter files|*.par");
        }
        if (!steps[i].answer) {
            EXPECT_EQ(state.workingDirectory, workingDirectory) << "a cancelled dialog moved";
        }
        if (i == 0) {
            EXPECT_EQ(state.workingDirectory, "/start/");
        }
    }
    // The parameter file chosen was read for the loaded flight.
    EXPECT_EQ(state.workingDirectory, folder.Path());
    EXPECT_EQ(state.current().parameterFileName, "Y.par");
    EXPECT_EQ(state.current().dataFileName, data);
    EXPECT_EQ(state.captureFileName, "Y.par");
    EXPECT_EQ(state.flight.note, "from Y");
    EXPECT_EQ(state.lastParameterFilePath, folder.Path() + "Y.par");
    EXPECT_TRUE(prompts.warnings.empty());
}

}  // namespace
}  // namespace orvale
