#include "files/data_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

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

// The program finds the files it names whatever their letter case, so a flight's files are
// named without regard to case too. A chosen name whose file exists under another spelling is
// that file: replacing it is asked for here (the file dialog only knows the exact spelling) and
// its spelling is kept. Otherwise "Flt-001.DAT" would be written beside "FLT-001.DAT" while its
// parameter file replaced FLT-001.PAR, the description of the other flight. The name to use, or
// nothing when the flyer keeps the old file.
std::optional<std::string> SpellingToWrite(const std::string& folder, const std::string& name,
                                           Prompts& prompts) {
    const std::string found = ResolveCaseInsensitive(folder, name);
    if (found == folder + name || !PathExists(found))
        return name;
    const std::string existing = FileNamePart(found);
    if (!prompts.ConfirmWarning(existing + " already exists.\nDo you want to replace it?"))
        return std::nullopt;
    return existing;
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
    const std::string base = BaseName(*chosen);
    if (base.empty())
        return kNoFile;
    return SpellingToWrite(state.workingDirectory, base + "." + extension, prompts)
        .value_or(kNoFile);
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
    entry.dataFileName = CutText(name, kPathLimit);

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
    entry.parameterFileName = CutText(BaseName(entry.dataFileName) + ".PAR", kPathLimit);
    WriteParameterFile(state);
}

void SaveParameterFileAs(AppState& state, Prompts& prompts) {
    DataFileEntry& entry = state.current();
    const std::string name =
        AskSaveName(state, prompts, entry.parameterFileName, "PAR", " Save Par File ", 2);
    if (name == kNoFile)
        return;
    entry.parameterFileName = CutText(name, kPathLimit);
    WriteParameterFile(state);
}

bool AskCaptureFileName(AppState& state, Prompts& prompts) {
    DataFileEntry& entry = state.current();
    if (entry.dataFileName != kNoFile)
        state.captureFileName = entry.dataFileName;
    FileDialogRequest request;
    request.title = "Save Captured Data";
    request.filter = "Data files|*.dat";
    request.defaultExtension = "dat";
    request.initialDirectory = state.workingDirectory;
    request.proposedName =
        FreeFlightName(state.workingDirectory, state.defaultDataFileName) + ".dat";
    auto chosen = prompts.AskSaveFileName(request);
    if (!chosen)
        return false;

    const std::string folder = DirectoryPart(*chosen);
    const std::optional<std::string> name =
        SpellingToWrite(folder.empty() ? state.workingDirectory : WithSeparator(folder),
                        BaseName(*chosen) + ".DAT", prompts);
    if (!name)
        return false;
    const std::string base = BaseName(*name);
    state.captureFileName = *name;
    if (!folder.empty())
        state.workingDirectory = CutText(WithSeparator(folder), kDirectoryLimit);
    state.defaultDataFileName = NextDefaultName(CutText(base, kShortNameLimit));
    entry.dataFileName = CutText(state.captureFileName, kPathLimit);
    entry.parameterFileName = CutText(base + ".PAR", kPathLimit);
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
    auto chosen = prompts.AskOpenFileName(request);
    if (!chosen)
        return;

    const std::string fileName = CutText(FileNamePart(*chosen), kPathLimit);
    state.captureFileName = fileName;
    const std::string folder = DirectoryPart(*chosen);
    if (!folder.empty())
        state.workingDirectory = CutText(WithSeparator(folder), kDirectoryLimit);
    DataFileEntry& entry = state.current();
    if (command == OpenCommand::ParameterFile) {
        state.lastParameterFilePath = *chosen;
        if (fileName.empty())
            return;
        entry.parameterFileName = fileName;
        ReadParameterFile(state, prompts, true);
        return;
    }
    if (fileName.empty())
        return;
    state.lastDataFilePath = *chosen;
    entry.dataFileName = CutText(state.workingDirectory + fileName, kPathLimit);
    entry.parameterFileName = CutText(BaseName(fileName) + ".par", kPathLimit);
    LoadCurrentFile(state, prompts, true, true, true);
}

}  // namespace orvale
