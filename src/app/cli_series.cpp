#include "app/cli_series.h"

#include <cmath>
#include <ctime>
#include <optional>
#include <ostream>

#include "app/cli_flight.h"
#include "app/cli_options.h"
#include "app/cli_recording_prompts.h"
#include "app/cli_summary.h"
#include "app/json_writer.h"
#include "core/csv_text.h"
#include "core/file_error.h"
#include "core/text_format.h"
#include "core/time_window.h"
#include "files/startup_files.h"
#include "graph/series_entry.h"

namespace orvale {

namespace {

constexpr int kSeriesEntry = 1;  // the graph's first series entry
constexpr int kHighestChannel = kFileChannels;

enum class Format { Text, Json, Csv };

struct SeriesOptions {
    std::string file;
    std::optional<int32_t> channel;
    std::optional<std::string> formula;
    FlightFileOptions files;
    std::optional<double> start;
    std::optional<double> length;
    std::optional<int32_t> filter;
    std::optional<float> min;
    std::optional<float> max;
    Format format = Format::Text;
};

std::optional<float> ParseReading(const std::string& text) {
    const auto value = ParseDecimal(text);
    if (!value || !std::isfinite(static_cast<float>(*value)))
        return std::nullopt;
    return static_cast<float>(*value);
}

// Returns an error text, or empty when the arguments are good.
std::string ParseSeriesArgs(const std::vector<std::string>& args, SeriesOptions& o) {
    bool json = false;
    bool csv = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json" || a == "--csv") {
            (a == "--json" ? json : csv) = true;
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
        if (a == "--channel") {
            o.channel = ParseWholeNumber(*v);
            if (!o.channel || *o.channel < 1 || *o.channel > kHighestChannel)
                return "--channel needs a channel number 1 to 12, not \"" + *v + "\"";
        } else if (a == "--formula") {
            if (static_cast<int>(v->size()) > kFormulaLimit)
                return "--formula is longer than a channel's 128 characters";
            o.formula = *v;
        } else if (a == "--par") {
            o.files.parFile = *v;
        } else if (a == "--cal") {
            o.files.calFile = *v;
        } else if (a == "--start" || a == "--length") {
            if (std::string problem = ParseWindowOption(a, *v, o.start, o.length); !problem.empty())
                return problem;
        } else if (a == "--filter") {
            o.filter = ParseFilterLevel(*v);
            if (!o.filter)
                return "--filter needs 0 to 3 or None, Light, Medium, Heavy, not \"" + *v + "\"";
        } else if (a == "--min" || a == "--max") {
            const auto reading = ParseReading(*v);
            if (!reading)
                return a + " needs a number, not \"" + *v + "\"";
            (a == "--min" ? o.min : o.max) = reading;
        } else {
            return "unknown option " + a;
        }
    }
    if (json && csv)
        return "--json and --csv cannot be combined";
    o.format = json ? Format::Json : csv ? Format::Csv : Format::Text;
    if (o.file.empty())
        return "no flight file given";
    if (!o.channel && !o.formula)
        return "name a channel with --channel N or give a --formula";
    return {};
}

// The channel definition as the options change it; nothing is written back to any file.
void ApplyChannelOptions(AppState& state, const SeriesOptions& o, int slot) {
    ChannelDef& channel = state.channels[static_cast<size_t>(slot)];
    if (o.formula)
        channel.formula = *o.formula;
    if (o.filter)
        channel.filter = *o.filter;
    if (o.min)
        channel.minReading = *o.min;
    if (o.max)
        channel.maxReading = *o.max;
}

void WriteJson(std::ostream& out, const AppState& state, const RecordingPrompts& prompts, bool ok) {
    const ChannelSamples& series = state.series[kSeriesEntry];
    const DataFileEntry& entry = state.entries[kSeriesEntry];
    const int32_t count = ok ? series.pointCount : -1;
    JsonArray x;
    JsonArray y;
    for (int32_t p = 0; p <= count; ++p) {
        x.Add(series.x[static_cast<size_t>(p)]);
        y.Add(series.y[static_cast<size_t>(p)]);
    }
    JsonObject o;
    o.Add("ok", ok)
        .Add("mode", static_cast<int32_t>(ok ? series.seriesMode : state.formula.seriesMode))
        .Add("count", count)
        .Add("graph_start", entry.graphStart)
        .Add("graph_length", entry.graphLength)
        .AddRaw("x", x.Text())
        .AddRaw("y", y.Text())
        .AddRaw("messages", ReportsJson(prompts.Reports()));
    out << o.Text() << "\n";
}

// Text and CSV: a header row, then one row per point.
void WriteRows(std::ostream& out, const AppState& state, Format format) {
    const ChannelSamples& series = state.series[kSeriesEntry];
    const DataFileEntry& entry = state.entries[kSeriesEntry];
    const bool histogram = series.seriesMode == kSeriesHistogram;
    const char* separator = format == Format::Csv ? "," : "\t";
    if (format == Format::Text) {
        out << (series.title.empty() ? "(untitled)" : series.title) << ": mode "
            << static_cast<int>(series.seriesMode) << ", points 0.." << series.pointCount
            << ", window " << JsonNumber(entry.graphStart) << " s + "
            << JsonNumber(entry.graphLength) << " s\n";
    }
    out << (histogram ? "bin" : "time") << separator << (histogram ? "seconds" : "value") << "\n";
    for (int32_t p = 0; p <= series.pointCount; ++p) {
        const auto at = static_cast<size_t>(p);
        if (format == Format::Csv)
            out << CsvNumber(series.x[at]) << "," << CsvNumber(series.y[at]) << "\n";
        else
            out << JsonNumber(series.x[at]) << "\t" << JsonNumber(series.y[at]) << "\n";
    }
}

}  // namespace

int RunSeriesCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::string& programDirectory) {
    SeriesOptions o;
    if (std::string problem = ParseSeriesArgs(args, o); !problem.empty()) {
        err << "orvale-cli series: " << problem << "\n" << OwnUsage(kSeriesUsage);
        return 2;
    }
    RecordingPrompts prompts(err, o.format != Format::Json);
    AppState state;
    bool ok = false;
    try {
        InitProgramState(state, {std::time(nullptr), programDirectory, {}}, prompts);
        OpenCliFlight(state, prompts, o.file, o.files);
        const int slot = o.channel ? *o.channel - 1 : 0;
        ApplyChannelOptions(state, o, slot);
        if (o.start)
            SetGraphStart(state, prompts, false, *o.start);
        if (o.length)
            SetGraphLength(state, prompts, false, *o.length);
        ok = PrepareGraphSeries(state, prompts, kSeriesEntry, slot);
    } catch (const FileError& e) {
        err << "orvale-cli: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << FailureLine(o.file, e) << "\n";
        return 1;
    }
    if (o.format == Format::Json)
        WriteJson(out, state, prompts, ok);
    else if (ok)
        WriteRows(out, state, o.format);
    return ok ? 0 : 1;
}

}  // namespace orvale
