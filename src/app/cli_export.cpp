#include "app/cli_export.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>

#include "app/cli_flight.h"
#include "app/cli_options.h"
#include "app/cli_prompts.h"
#include "app/cli_summary.h"
#include "core/csv_text.h"
#include "core/file_error.h"
#include "files/safe_file.h"
#include "files/startup_files.h"
#include "graph/series_samples.h"

namespace orvale {

namespace {

constexpr char kTimeTitle[] = "Flight Time (sec)";

struct ExportOptions {
    std::string file;
    FlightFileOptions files;
    std::optional<std::vector<int>> channels;  // 1-based, in the order given
    bool filtered = false;
    std::optional<std::string> outFile;
};

// Returns an error text, or empty when the arguments are good.
std::string ParseExportArgs(const std::vector<std::string>& args, ExportOptions& o) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--filtered") {
            o.filtered = true;
            continue;
        }
        if (a.rfind("--", 0) != 0) {
            if (!o.file.empty())
                return "one flight file only (" + o.file + " and " + a + ")";
            o.file = a;
            continue;
        }
        const auto v = OptionValue(args, i);
        if (!v)
            return a + " needs a value";
        if (a == "--par") {
            o.files.parFile = *v;
        } else if (a == "--cal") {
            o.files.calFile = *v;
        } else if (a == "--out") {
            if (v->empty())
                return "--out needs a file name";
            if (*v != "-")
                o.outFile = *v;
        } else if (a == "--channels") {
            o.channels = ParseChannelList(*v, kFileChannels);
            if (!o.channels)
                return "--channels needs channel numbers 1 to 12 such as 1,2,3, not \"" + *v + "\"";
        } else {
            return "unknown option " + a;
        }
    }
    if (o.file.empty())
        return "no flight file given";
    return {};
}

// The channels named, else the selected ones in order.
std::vector<int> ExportedChannels(const AppState& state, const ExportOptions& o) {
    if (o.channels)
        return *o.channels;
    std::vector<int> channels;
    for (int slot = 0; slot < kFileChannels; ++slot)
        if (state.channels[static_cast<size_t>(slot)].selected)
            channels.push_back(slot + 1);
    return channels;
}

std::string ChannelTitle(const AppState& state, int channel) {
    const std::string& title = state.channels[static_cast<size_t>(channel - 1)].title;
    return title.empty() ? "Channel " + std::to_string(channel) : title;
}

// Why the rows may not go to path, or empty: only a regular file is replaced, or a new one
// made. Replacing a device, a FIFO or a symbolic link with a regular file would break what
// the name stood for.
std::string OutputProblem(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    switch (status.type()) {
        case fs::file_type::not_found:
        case fs::file_type::regular:
            return {};
        case fs::file_type::symlink:
            return path + ": is a symbolic link; name the file itself with --out";
        case fs::file_type::directory:
            return path + ": is a folder, not a file";
        case fs::file_type::none:
        case fs::file_type::unknown:
            return path + ": cannot be examined: " + ec.message();
        default:
            return path +
                   ": is not a regular file (a device, FIFO or socket); leave out --out (or "
                   "give --out -) to write to standard output";
    }
}

}  // namespace

int RunExportCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::string& programDirectory) {
    ExportOptions o;
    if (std::string problem = ParseExportArgs(args, o); !problem.empty()) {
        err << "orvale-cli export: " << problem << "\n" << OwnUsage(kExportUsage);
        return 2;
    }
    if (o.outFile) {
        if (std::string problem = OutputProblem(*o.outFile); !problem.empty()) {
            err << "orvale-cli export: " << problem << "\n";
            return 1;
        }
    }
    CliPrompts prompts(err);
    AppState state;
    try {
        InitProgramState(state, {std::time(nullptr), programDirectory, {}}, prompts);
        OpenCliFlight(state, prompts, o.file, o.files);
        const std::vector<int> channels = ExportedChannels(state, o);
        if (channels.empty()) {
            err << "orvale-cli export: no channel is selected in the parameter file; name them "
                   "with --channels\n";
            return 1;
        }
        std::vector<std::vector<float>> values(channels.size());
        for (size_t c = 0; c < channels.size(); ++c) {
            if (!ChannelSampleValues(state, prompts, channels[c] - 1, o.filtered, values[c])) {
                err << "orvale-cli export: channel " << channels[c] << " cannot be computed\n";
                return 1;
            }
        }
        std::string text = CsvField(kTimeTitle);
        for (int channel : channels) {
            text += ',';
            text += CsvField(ChannelTitle(state, channel));
        }
        text += '\n';
        const std::vector<int32_t> samples = RecordedSampleNumbers(state);
        for (size_t i = 0; i < samples.size(); ++i) {
            text += CsvNumber(static_cast<double>(samples[i]) / state.samplesPerSecond);
            for (const auto& column : values) {
                text += ',';
                text += CsvNumber(column[i]);
            }
            text += '\n';
        }
        if (o.outFile)
            WriteFileAtomically(*o.outFile, text);
        else
            out << text;
    } catch (const FileError& e) {
        err << "orvale-cli: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << FailureLine(o.file, e) << "\n";
        return 1;
    }
    return 0;
}

}  // namespace orvale
