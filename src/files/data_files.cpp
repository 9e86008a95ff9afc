#include "files/data_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/file_error.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "files/loading.h"
#include "files/parameter_file.h"
#include "files/path_lookup.h"
#include "files/safe_file.h"

namespace orvale {

namespace fs = std::filesystem;

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec) && !ec;
}

void RenameFile(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw FileError(from + ": " + std::strerror(errno));
}

void RemoveFile(const std::string& path) {
    if (std::remove(path.c_str()) != 0 && errno != ENOENT)
        throw FileError(path + ": " + std::strerror(errno));
}

// The longest flight name: the name part the program keeps of a chosen file.
constexpr size_t kFlightNameLimit = 64;

// The name of a chosen path without folder and extension, uncut.
std::string WholeBaseName(const std::string& path) {
    const std::string name = path.substr(DirectoryPart(path).size());
    return name.substr(0, name.find('.'));
}

// A name that does not fit where the program keeps it would be cut, and the cut name would
// replace another file: such a name is refused before anything is written. The message, or
// nothing when folder + base + extension fits.
std::optional<std::string> LengthProblem(const std::string& folder, const std::string& base,
                                         const std::string& extension) {
    const std::string limit = std::to_string(kPathLimit);
    if (base.size() > kFlightNameLimit)
        return "The flight name " + base + " is longer than " + std::to_string(kFlightNameLimit) +
               " characters";
    if (folder.size() > static_cast<size_t>(kDirectoryLimit))
        return "The folder " + folder + " is longer than " + std::to_string(kDirectoryLimit) +
               " characters";
    const std::string path = folder + base + "." + extension;
    if (path.size() > static_cast<size_t>(kPathLimit))
        return "The path " + path + " is longer than " + limit + " characters";
    return std::nullopt;
}

// The program finds the files it names whatever their letter case, so a flight's files are
// named without regard to case too: a name whose file exists under another spelling is that
// file, and its spelling is kept. Otherwise "Flt-001.DAT" would be written beside "FLT-001.DAT"
// while its parameter file replaced FLT-001.PAR, the description of the other flight.
//
// The save dialog does not confirm replacing (it knows only the spelling it checked, with the
// extension it added): every file of the flight about to be replaced is asked about here, once,
// in one question. The names to write, or nothing when the flyer keeps the old files.
std::optional<FlightNames> ConfirmFlightNames(const std::string& folder, const std::string& base,
                                              bool withData, Prompts& prompts) {
    FlightNames names;
    std::vector<std::string> existing;
    const auto spell = [&](const std::string& name) {
        const std::string found = ResolveCaseInsensitive(folder, name);
        if (!PathExists(found))
            return name;
        existing.push_back(found.substr(folder.size()));
        return existing.back();
    };
    if (withData)
        names.dataFile = spell(base + ".DAT");
    names.parameterFile = spell(base + ".PAR");
    if (existing.empty())
        return names;
    const std::string question =
        existing.size() == 1
            ? existing[0] + " already exists.\nDo you want to replace it?"
            : existing[0] + " and " + existing[1] + " already exist.\nDo you want to replace them?";
    if (!prompts.ConfirmWarning(question))
        return std::nullopt;
    return names;
}

// A flight name that no file in folder has yet, data or parameter file, in any letter case;
// counting on from name. Pressing Enter on the proposal never replaces a flight.
std::string FreeFlightName(const std::string& folder, std::string name) {
    const auto taken = [&](const std::string& base) {
        return PathExists(ResolveCaseInsensitive(folder, base + ".DAT")) ||
               PathExists(ResolveCaseInsensitive(folder, base + ".PAR"));
    };
    for (int tries = 0; tries < 1000 && taken(name); ++tries) {
        const std::string next = NextDefaultName(name);
        if (next == name)
            break;
        name = next;
    }
    return name;
}

}  // namespace

std::string NextDefaultName(const std::string& name) {
    std::string digits;
    for (char c : name)
        if (c == '+' || c == '-' || (c >= '0' && c <= '9'))
            digits += c;
    long long v = 0;
    if (!digits.empty()) {
        // Only a well-formed signed number counts; "1-2" or a lone sign leave the name alone.
        char* end = nullptr;
        errno = 0;
        v = std::strtoll(digits.c_str(), &end, 10);
        if (*end != '\0' || errno != 0 || end == digits.c_str())
            return name;
    }
    size_t width = digits.size() - (v < 0 ? 1 : 0);
    const long long w = v >= 0 ? v + 1 : v - 1;
    std::string number = std::to_string(w < 0 ? -w : w);
    if (number.size() < width)
        number.insert(0, width - number.size(), '0');
    const std::string next = (w < 0 ? "-" : "") + number;
    if (next.size() != digits.size())
        return name;
    std::string result = name;
    size_t k = 0;
    for (char& c : result)
        if (c == '+' || c == '-' || (c >= '0' && c <= '9'))
            c = next[k++];
    return result;
}

std::string AskSaveName(AppState& state, Prompts& prompts, const std::string& name,
                        const std::string& extension, const std::string& title, int filterIndex) {
    FileDialogRequest request;
    request.title = title;
    request.filter = kDataFilters;
    request.filterIndex = filterIndex;
    request.defaultExtension = extension;
    request.initialDirectory = state.workingDirectory;
    request.proposedName = name == kNoFile ? "" : CutText(FileNamePart(name), 13);
    auto chosen = prompts.AskSaveFileName(request);
    if (!chosen)
        return kNoFile;
    const std::string base = WholeBaseName(*chosen);
    if (base.empty())
        return kNoFile;
    if (auto problem = LengthProblem(state.workingDirectory, base, extension)) {
        prompts.ShowWarning(*problem);
        return kNoFile;
    }
    // A data file is saved with its parameter file: both are asked about.
    const bool withData = extension == "DAT";
    const std::optional<FlightNames> names =
        ConfirmFlightNames(state.workingDirectory, base, withData, prompts);
    if (!names)
        return kNoFile;
    return withData ? names->dataFile : names->parameterFile;
}

void SaveDataFile(AppState& state, Prompts& prompts, FileLayer& files) {
    DataFileEntry& entry = state.current();
    if (entry.dataFileName == kNoFile || state.loadedDataSize == 0) {
        state.errorMessages.Set("No data to save");
        ShowError(state, prompts, kErrorSlot);
        return;
    }
    const std::string proposal =
        entry.dataFileName == kCaptureName ? state.previousDataFileName : entry.dataFileName;
    const std::string name = AskSaveName(state, prompts, proposal, "DAT", " Save Data File ", 1);
    if (name == kNoFile)
        return;

    const std::string previousName = entry.dataFileName;
    const std::string previousImage = state.imageFilePath;
    const std::string scratch = CaptureImagePath(state);
    const std::string target = state.workingDirectory + name;
    entry.dataFileName = name;

    // Saving onto the image file itself: move it aside and copy it back.
    bool moved = false;
    if (SameFile(state.imageFilePath, target)) {
        RemoveFile(scratch);
        RenameFile(state.imageFilePath, scratch);
        state.imageFilePath = scratch;
        moved = true;
    }
    const bool fromScratch = moved || SameFile(state.imageFilePath, scratch);

    CopyResult copy;
    try {
        copy = CopyFileContents(state.imageFilePath, target, files);
    } catch (...) {
        if (moved)
            RenameFile(scratch, previousImage);
        state.imageFilePath = previousImage;
        entry.dataFileName = previousName;
        throw;
    }
    if (!copy.complete) {
        // Never a silent short copy: the part written goes, the flight stays where it was.
        std::error_code ec;
        fs::remove(target, ec);
        if (moved)
            RenameFile(scratch, previousImage);
        state.imageFilePath = previousImage;
        entry.dataFileName = previousName;
        throw FileError("Unable to write to " + target + " (the disk is full; only " +
                        std::to_string(copy.bytesCopied) + " bytes were written)");
    }
    if (fromScratch) {
        state.imageFilePath = target;
        RemoveFile(scratch);
    }
    entry.parameterFileName = BaseName(entry.dataFileName) + ".PAR";
    WriteParameterFile(state);
}

void SaveParameterFileAs(AppState& state, Prompts& prompts) {
    DataFileEntry& entry = state.current();
    const std::string name =
        AskSaveName(state, prompts, entry.parameterFileName, "PAR", " Save Par File ", 2);
    if (name == kNoFile)
        return;
    entry.parameterFileName = name;
    WriteParameterFile(state);
}

std::optional<CaptureTarget> AskCaptureTarget(const AppState& state, Prompts& prompts) {
    FileDialogRequest request;
    request.title = "Save Captured Data";
    request.filter = "Data files|*.dat";
    request.defaultExtension = "dat";
    request.initialDirectory = state.workingDirectory;
    request.proposedName =
        FreeFlightName(state.workingDirectory, state.defaultDataFileName) + ".dat";
    auto chosen = prompts.AskSaveFileName(request);
    if (!chosen)
        return std::nullopt;

    const std::string chosenFolder = DirectoryPart(*chosen);
    CaptureTarget target;
    target.folder = chosenFolder.empty() ? state.workingDirectory : WithSeparator(chosenFolder);
    const std::string base = WholeBaseName(*chosen);
    if (base.empty())
        return std::nullopt;
    if (auto problem = LengthProblem(target.folder, base, "DAT")) {
        prompts.ShowWarning(*problem);
        return std::nullopt;
    }
    const std::optional<FlightNames> names = ConfirmFlightNames(target.folder, base, true, prompts);
    if (!names)
        return std::nullopt;
    target.dataFileName = names->dataFile;
    target.parameterFileName = names->parameterFile;
    target.nextDefaultName = NextDefaultName(CutText(base, kShortNameLimit));
    return target;
}

void AdoptCaptureTarget(AppState& state, const CaptureTarget& target) {
    state.captureFileName = target.dataFileName;
    state.workingDirectory = target.folder;
    state.defaultDataFileName = target.nextDefaultName;
    DataFileEntry& entry = state.current();
    entry.dataFileName = target.dataFileName;
    entry.parameterFileName = target.parameterFileName;
}

bool AskCaptureFileName(AppState& state, Prompts& prompts) {
    const std::optional<CaptureTarget> target = AskCaptureTarget(state, prompts);
    if (!target)
        return false;
    AdoptCaptureTarget(state, *target);
    return true;
}

void OpenChild(AppState& state, Prompts& prompts, OpenCommand command) {
    FileDialogRequest request;
    request.initialDirectory = state.workingDirectory;
    if (command == OpenCommand::ParameterFile) {
        request.title = "Load Parameter file";
        request.filter = "Parameter files|*.par";
        request.defaultExtension = "par";
        if (!state.lastParameterFilePath.empty()) {
            request.proposedName = state.lastParameterFilePath;
        } else if (state.lastDataFilePath.size() >= 3) {
            request.proposedName =
                state.lastDataFilePath.substr(0, state.lastDataFilePath.size() - 3) + "PAR";
        } else {
            request.proposedName = state.lastOpenProposal;
        }
    } else {
        request.title = "Load Data file";
        request.filter = "Data files|*.dat";
        request.defaultExtension = "dat";
        request.proposedName =
            state.lastDataFilePath.empty() ? std::string("*.dat") : state.lastDataFilePath;
    }
    state.lastOpenProposal = request.proposedName;
    if (auto chosen = prompts.AskOpenFileName(request))
        OpenChosenFile(state, prompts, command, *chosen);
}

void OpenChosenFile(AppState& state, Prompts& prompts, OpenCommand command,
                    const std::string& path) {
    const std::string fileName = CutText(FileNamePart(path), kPathLimit);
    state.captureFileName = fileName;
    const std::string folder = DirectoryPart(path);
    if (!folder.empty())
        state.workingDirectory = CutText(WithSeparator(folder), kDirectoryLimit);
    DataFileEntry& entry = state.current();
    if (command == OpenCommand::ParameterFile) {
        state.lastParameterFilePath = path;
        if (fileName.empty())
            return;
        entry.parameterFileName = fileName;
        ReadParameterFile(state, prompts, true);
        return;
    }
    if (fileName.empty())
        return;
    state.lastDataFilePath = path;
    entry.dataFileName = CutText(state.workingDirectory + fileName, kPathLimit);
    entry.parameterFileName = CutText(BaseName(fileName) + ".par", kPathLimit);
    LoadCurrentFile(state, prompts, true, true, true);
}

}  // namespace orvale
