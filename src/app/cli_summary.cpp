#include "app/cli_summary.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "app/cli_compare.h"
#include "app/cli_device.h"
#include "app/cli_export.h"
#include "app/cli_flight.h"
#include "app/cli_formula.h"
#include "app/cli_logbook.h"
#include "app/cli_options.h"
#include "app/cli_prompts.h"
#include "app/cli_series.h"
#include "app/json_writer.h"
#include "core/file_error.h"
#include "core/image_decode.h"
#include "core/version.h"
#include "files/startup_files.h"

namespace orvale {

namespace {

const char kUsage[] =
    "usage: orvale-cli summary [--json] [--par FILE.PAR] [--cal FILE.cal] [--stages N]\n"
    "                          [--filter1 LEVEL] [--units ft|m] FILE.dat...\n";

constexpr int32_t kMaxStages = 99;

struct SummaryOptions {
    bool json = false;
    std::optional<std::string> calFile;
    std::optional<std::string> parFile;
    std::optional<int32_t> stages;
    std::optional<int32_t> filter1;
    // Feet unless asked: a script's output does not change with the desktop's setting.
    Units units = Units::Feet;
    std::vector<std::string> files;
};

// Returns an error text, or empty when the arguments are good.
std::string ParseSummaryArgs(const std::vector<std::string>& args, SummaryOptions& o) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (a == "--json") {
            o.json = true;
        } else if (a == "--units") {
            auto v = value();
            const std::optional<Units> u = v ? ParseUnits(*v) : std::nullopt;
            if (!u)
                return "--units needs ft or m" + (v ? ", not \"" + *v + "\"" : std::string());
            o.units = *u;
        } else if (a == "--par" || a == "--cal" || a == "--stages" || a == "--filter1") {
            auto v = value();
            if (!v)
                return a + " needs a value";
            if (a == "--par" || a == "--cal") {
                (a == "--par" ? o.parFile : o.calFile) = *v;
                continue;
            }
            if (a == "--filter1") {
                o.filter1 = ParseFilterLevel(*v);
                if (!o.filter1)
                    return "--filter1 needs 0 to 3 or None, Light, Medium, Heavy, not \"" + *v +
                           "\"";
                continue;
            }
            o.stages = ParseWholeNumber(*v);
            if (!o.stages || *o.stages < 0 || *o.stages > kMaxStages)
                return "--stages needs a whole number 0 to 99, not \"" + *v + "\"";
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option " + a;
        } else {
            o.files.push_back(a);
        }
    }
    if (o.files.empty())
        return "no flight file given";
    return {};
}

// Reads the flight as opening it does; the summary options override the parameter file's.
void SummariseFile(AppState& state, Prompts& prompts, const std::string& file,
                   const SummaryOptions& o) {
    ReadCliFlightFiles(state, prompts, file, {o.parFile, o.calFile});
    if (o.stages)
        state.flight.stages = *o.stages;
    if (o.filter1)
        state.channels[0].filter = *o.filter1;
    state.settings.units = o.units;
    ProcessImage(state, prompts, true, true);
}

int RunSummary(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const std::string& programDirectory) {
    SummaryOptions o;
    if (std::string problem = ParseSummaryArgs(args, o); !problem.empty()) {
        err << "orvale-cli summary: " << problem << "\n" << kUsage;
        return 2;
    }
    CliPrompts prompts(err);
    int status = 0;
    bool first = true;
    for (const std::string& file : o.files) {
        AppState state;
        try {
            InitProgramState(state, {std::time(nullptr), programDirectory, {}}, prompts);
            SummariseFile(state, prompts, file, o);
        } catch (const FileError& e) {
            err << "orvale-cli: " << e.what() << "\n";
            status = 1;
            continue;
        } catch (const std::exception& e) {
            // A name the system cannot examine (empty, too long, no permission) fails this file
            // alone; the others are still summarised.
            err << FailureLine(file, e) << "\n";
            status = 1;
            continue;
        }
        if (o.json) {
            out << SummaryJson(state, file) << "\n";
        } else {
            if (!first)
                out << "\n";
            out << SummaryText(state);
        }
        first = false;
    }
    return status;
}

}  // namespace

std::string FailureLine(const std::string& name, const std::exception& e) {
    const std::string shown = name.empty() ? "''" : name;
    if (const auto* fsError = dynamic_cast<const std::filesystem::filesystem_error*>(&e))
        return "orvale-cli: " + shown + ": " + fsError->code().message();
    return "orvale-cli: " + shown + ": " + e.what();
}

std::string SummaryText(const AppState& state) {
    std::string text;
    for (int i = 0; i < kSummaryRowCount; ++i) {
        if (static_cast<SummaryRow>(i) == SummaryRow::DrogueFireTime &&
            !state.summaryRows.drogueRowVisible)
            continue;
        text += std::string(kSummaryRowInfo[i].caption) + " " + state.summaryRows.text[i] + "\n";
    }
    return text;
}

std::string SummaryJson(const AppState& state, const std::string& file) {
    const FlightResults& r = state.results;
    JsonObject rows;
    for (int i = 0; i < kSummaryRowCount; ++i)
        rows.Add(kSummaryRowInfo[i].name, state.summaryRows.text[i]);
    JsonObject o;
    o.Add("file", file)
        .Add("ground_pressure_reading", r.groundPressureReading)
        .Add("zero_g_reading", r.zeroGReading)
        .Add("drogue_fire_time", r.drogueFireTime)
        .Add("main_fire_time", r.mainFireTime)
        .Add("apogee_pressure_height", r.apogeePressureHeight)
        .Add("apogee_time", r.apogeeTime)
        .Add("deployment_limit", r.deploymentLimit)
        .Add("drogue_row_visible", state.summaryRows.drogueRowVisible)
        .Add("max_inertial_height", r.maxInertialHeight)
        .Add("max_inertial_height_time", r.maxInertialHeightTime)
        .Add("max_speed", r.maxSpeed)
        .Add("max_speed_time", r.maxSpeedTime)
        .Add("max_accel", r.maxAccel)
        .Add("max_accel_time", r.maxAccelTime)
        .Add("min_accel", r.minAccel)
        .Add("min_accel_time", r.minAccelTime)
        .Add("deployment_detected_time", r.deploymentDetectedTime)
        .Add("end_of_flight_time", state.endOfFlightTime)
        .AddRaw("rows", rows.Text());
    return o.Text();
}

namespace {

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const std::string& programDirectory) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out)
            << kUsage << kSeriesUsage << kFormulaUsage << kExportUsage << kLogbookUsage
            << kCompareUsage << kDeviceUsage << "       orvale-cli --version\n"
            << kDeviceNotes;
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        out << "orvale-cli " << kVersionText << "\n";
        return 0;
    }
    if (args[0] == "summary")
        return RunSummary(args, out, err, programDirectory);
    if (args[0] == "series")
        return RunSeriesCli(args, out, err, programDirectory);
    if (args[0] == "formula")
        return RunFormulaCli(args, out, err, programDirectory);
    if (args[0] == "export")
        return RunExportCli(args, out, err, programDirectory);
    if (args[0] == "compare")
        return RunCompareCli(args, out, err, programDirectory);
    if (args[0] == "logbook")
        return RunLogbookCli(args, out, err, programDirectory);
    if (IsDeviceCommand(args[0]))
        return RunDeviceCli(args, out, err, programDirectory);
    err << "orvale-cli: unknown command " << args[0] << "\n"
        << kUsage << kSeriesUsage << kFormulaUsage << kExportUsage << kLogbookUsage << kCompareUsage
        << kDeviceUsage;
    return 2;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& programDirectory) {
    int status = 1;
    try {
        status = RunCommand(args, out, err, programDirectory);
    } catch (const std::filesystem::filesystem_error& e) {
        // Whatever a command did not expect ends it with a message, never an abort.
        err << FailureLine(e.path1().string(), e) << "\n";
        status = 1;
    } catch (const std::exception& e) {
        err << "orvale-cli: " << e.what() << "\n";
        status = 1;
    } catch (...) {
        err << "orvale-cli: unexpected failure\n";
        status = 1;
    }
    // Output that never reached its file (a full disk, /dev/full) is a failure, not a success.
    out.flush();
    if (!out) {
        err << "orvale-cli: the output could not be written in full\n";
        return status == 0 ? 1 : status;
    }
    return status;
}

}  // namespace orvale
