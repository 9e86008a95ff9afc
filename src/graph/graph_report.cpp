#include "graph/graph_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/date_format.h"
#include "core/text_format.h"
#include "files/loading.h"
#include "files/parameter_file.h"
#include "files/path_lookup.h"
#include "graph/graph_build.h"

namespace orvale {

namespace {

// The lengths the report cuts its texts to, each counted from the start of the line.
constexpr int kHeaderVersionCut = 24;
constexpr int kHeaderAttributionCut = 64;
constexpr int kFileNameCut = 86;
constexpr int kGatheredCut = 99;
constexpr int kFileDateCut = 111;
constexpr int kFileAtCut = 116;
constexpr int kFileTimeCut = 128;
constexpr int kNoteCut = 91;
constexpr int kLocationCut = 90;
constexpr int kModelCut = 92;
constexpr int kMotorLabelCut = 113;
constexpr int kMotorCut = 193;
constexpr int kFilterNameCut = 21;
constexpr int kFormulaLabelCut = 32;
constexpr int kFormulaCut = 160;

constexpr int kSignificantDigits = 7;

// Appends a text to a line and cuts the whole line to n characters.
class ReportLine {
public:
    explicit ReportLine(std::string start = {}) : text_(std::move(start)) {}
    ReportLine& Add(const std::string& more, int cut) {
        text_ = CutText(text_ + more, cut);
        return *this;
    }
    ReportLine& Add(const std::string& more) {
        text_ += more;
        return *this;
    }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

std::string FilterName(int32_t level) {
    // A hand-edited level outside 0..3 is filtered as the nearest valid one: named so too.
    const int32_t used = std::clamp(level, 0, static_cast<int32_t>(kFilterLevels.size()) - 1);
    return kFilterLevels[static_cast<size_t>(used)].name;
}

// The lines of one flight that differ from those printed before it.
class FlightLines {
public:
    void Add(const AppState& state, const DataFileEntry& entry, std::vector<std::string>& lines) {
        const FlightParameters& f = state.flight;
        if (entry.dataFileName != file_) {
            file_ = entry.dataFileName;
            lines.push_back(ReportLine("File: ")
                                .Add(entry.dataFileName, kFileNameCut)
                                .Add(" gathered on ", kGatheredCut)
                                .Add(f.date, kFileDateCut)
                                .Add("  at ", kFileAtCut)
                                .Add(f.time, kFileTimeCut)
                                .Text());
        }
        if (f.note != note_) {
            note_ = f.note;
            lines.push_back(ReportLine("File Note: ").Add(f.note, kNoteCut).Text());
        }
        if (f.location != location_) {
            location_ = f.location;
            lines.push_back(ReportLine("Location: ").Add(f.location, kLocationCut).Text());
        }
        if (f.model != model_) {
            model_ = f.model;
            lines.push_back(ReportLine("Model Name: ")
                                .Add(f.model, kModelCut)
                                .Add(",     Motor(s) used: ", kMotorLabelCut)
                                .Add(f.motor, kMotorCut)
                                .Text());
        }
    }

private:
    // All empty at the start: a flight with an empty note prints no note line.
    std::string file_;
    std::string note_;
    std::string location_;
    std::string model_;
};

void AddChannelBlock(const AppState& state, int k, std::vector<std::string>& lines) {
    const DataFileEntry& entry = state.entries[static_cast<size_t>(k)];
    const int slot = std::clamp(entry.entryNumber, 0, kChannelSlots - 1);
    const ChannelDef& channel = state.channels[static_cast<size_t>(slot)];
    const ChannelSamples& series = state.series[static_cast<size_t>(k)];
    lines.emplace_back();
    lines.push_back("Graph " + std::to_string(k) + " Channel:" + std::to_string(slot + 1) + " \"" +
                    channel.title + "\" " + std::to_string(entry.lowerPercent) + " to " +
                    std::to_string(entry.upperPercent) + "%");
    lines.push_back("Vertical scale (Y axis): from " + ReportNumber(series.minReading) + " to " +
                    ReportNumber(series.maxReading));
    lines.push_back("Time: " + ReportNumber(entry.graphStart) + " for " +
                    ReportNumber(entry.graphLength) + " to " +
                    ReportNumber(entry.graphStart + entry.graphLength));
    lines.push_back(ReportLine("Filter Factor: ")
                        .Add(FilterName(channel.filter), kFilterNameCut)
                        .Add(", Formula: ", kFormulaLabelCut)
                        .Add(channel.formula, kFormulaCut)
                        .Text());
}

}  // namespace

std::string ReportNumber(double x) {
    if (!std::isfinite(x))
        return std::isnan(x) ? "NAN" : (x > 0 ? "INF" : "-INF");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", kSignificantDigits - 1, x);
    const double rounded = std::strtod(buf, nullptr);
    if (std::fabs(rounded) >= 1e7) {
        std::snprintf(buf, sizeof buf, "%.*E", kSignificantDigits - 1, rounded);
        return buf;
    }
    // A rounded value of -0.00 reads as 0.00.
    std::snprintf(buf, sizeof buf, "%.2f", rounded);
    std::string text = buf;
    if (text == "-0.00")
        text = "0.00";
    return text;
}

std::string ReportHeaderLine(const std::string& version, const std::string& date,
                             const std::string& time) {
    return ReportLine("Orvaleo v")
        .Add(version, kHeaderVersionCut)
        .Add(std::string("( by ") + kReportAuthor + " for Vantrel --- ", kHeaderAttributionCut)
        .Add(date)
        .Add(" at ")
        .Add(time)
        .Text();
}

std::vector<std::string> BuildReportLines(AppState& state, Prompts& prompts, std::time_t now,
                                          bool besideEachFlight) {
    std::vector<std::string> lines{
        ReportHeaderLine(state.versionText, FormatProgramDate(now), FormatProgramTime(now)), ""};
    FlightLines flight;
    struct KeptFolder {
        AppState& state;
        const std::string folder;
        ~KeptFolder() { state.workingDirectory = folder; }
    } kept{state, state.workingDirectory};
    const std::string& workingDirectory = kept.folder;
    for (int k = 1; k <= kMostGraphSeries && k < kEntryCount; ++k) {
        const DataFileEntry& entry = state.entries[static_cast<size_t>(k)];
        if (!entry.inUse)
            continue;
        const std::string folder = DirectoryPart(entry.dataFileName);
        state.workingDirectory = besideEachFlight && !folder.empty() ? folder : workingDirectory;
        state.currentEntry = static_cast<uint16_t>(k);
        LoadCurrentFile(state, prompts, false, false, false);
        ReadParameterFile(state, prompts, false);
        flight.Add(state, entry, lines);
        AddChannelBlock(state, k, lines);
    }
    return lines;
}

}  // namespace orvale
