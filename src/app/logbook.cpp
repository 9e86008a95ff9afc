#include "app/logbook.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "app/cli_flight.h"
#include "app/cli_prompts.h"
#include "app/json_writer.h"
#include "app/text_table.h"
#include "core/csv_text.h"
#include "core/image_decode.h"
#include "core/launch_detection.h"
#include "core/measured_rows.h"
#include "core/summary_pass.h"
#include "core/text_format.h"
#include "core/units.h"
#include "files/path_lookup.h"
#include "files/startup_files.h"

namespace orvale {

namespace {

bool IsDataFile(const std::filesystem::directory_entry& entry) {
    std::error_code ec;
    if (!entry.is_regular_file(ec))
        return false;
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext == ".DAT";
}

LogbookRow RowOf(const AppState& state, const std::string& path) {
    const FlightResults& r = state.results;
    LogbookRow row;
    row.path = path;
    row.file = std::filesystem::path(path).filename().string();
    row.date = state.flight.date;
    row.time = state.flight.time;
    row.note = state.flight.note;
    row.model = state.flight.model;
    row.motor = state.flight.motor;
    row.apogee = r.apogeePressureHeight;
    row.apogeeHeight = r.apogeePressureAltitude;
    row.apogeeTime = r.apogeeTime;
    row.maxSpeed = r.maxSpeed;
    row.maxAccel = r.maxAccel * kFeetPerSecond2PerG;  // as the summary shows it
    if (state.summaryRows.drogueRowVisible)
        row.drogueFire = r.drogueFireTime;
    row.mainFire = r.mainFireTime;
    row.launchTime = LaunchTime(state);

    // The summary pass ends the flight kLandingMargin frames after the pressure is back at the
    // site's, and leaves the whole recording when it never is.
    const std::optional<int32_t> launch = LaunchFrame(state);
    const auto endFrame = static_cast<int32_t>(state.endOfFlightTime * state.samplesPerSecond);
    if (launch && endFrame < kFrameCount) {
        // Both counted as the summary counts frames (three lead frames before its zero).
        const int32_t landing = endFrame - kLandingMargin + 3;
        if (landing > *launch)
            row.duration = static_cast<float>(landing - *launch) / 16.0f;
    }
    return row;
}

std::string Optional(const std::optional<float>& value, int decimals) {
    return value ? Fixed(*value, 1, decimals) : std::string();
}

}  // namespace

Logbook ReadLogbook(const std::vector<std::string>& folders, const std::string& programDirectory) {
    namespace fs = std::filesystem;
    Logbook book;
    // Opening a flight may warn (no calibration file, a damaged checksum); the logbook lists
    // the flight anyway, as opening it does after the warning.
    std::ostringstream warnings;
    CliPrompts quiet(warnings);
    FolderListingCache listings;
    AppState fresh;
    InitProgramState(fresh, {std::time(nullptr), programDirectory, {}}, quiet);
    for (const std::string& folder : folders) {
        std::vector<fs::path> files;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            if (IsDataFile(*it))
                files.push_back(it->path());
        }
        if (ec) {
            book.failures.push_back({folder, ec.message()});
            continue;
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            AppState state = fresh;
            try {
                ReadCliFlightFiles(state, quiet, file.string(), {});
                ProcessImage(state, quiet, true, true);
                book.rows.push_back(RowOf(state, file.string()));
            } catch (const std::exception& e) {
                book.failures.push_back({file.string(), e.what()});
            }
        }
    }
    return book;
}

std::vector<std::string> LogbookHeaders(Units units) {
    const UnitNames& n = NamesOf(units);
    return {"File",
            "Date",
            "Time",
            "Note",
            "Model",
            "Motor",
            std::string("Apogee (") + n.length + ")",
            "Apogee at (sec)",
            std::string("Max Speed (") + n.speed + ")",
            std::string("Max Accel (") + n.accel + ")",
            "Flight Time (sec)",
            "Drogue Fired (sec)",
            "Main Fired (sec)"};
}

std::vector<std::string> LogbookCells(const LogbookRow& row, Units units) {
    // In feet the apogee is the summary's own whole number; in metres it is converted from the
    // height before rounding, as the summary converts it.
    const int32_t apogee =
        units == Units::Feet ? row.apogee : WholePressureHeight(row.apogeeHeight, units);
    return {row.file,
            row.date,
            row.time,
            row.note,
            row.model,
            row.motor,
            std::to_string(apogee),
            Fixed(row.apogeeTime, 1, 4),
            Fixed(InUnits(row.maxSpeed, units), 1, 2),
            Fixed(InUnits(row.maxAccel, units), 1, 2),
            Optional(row.duration, 4),
            Optional(row.drogueFire, 4),
            Fixed(row.mainFire, 1, 4)};
}

std::string LogbookCsv(const Logbook& book, Units units) {
    std::string text;
    const auto line = [&text](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0)
                text += ',';
            text += CsvField(fields[i]);
        }
        text += '\n';
    };
    line(LogbookHeaders(units));
    for (const LogbookRow& row : book.rows)
        line(LogbookCells(row, units));
    return text;
}

std::string LogbookJson(const Logbook& book, Units units) {
    const bool metres = units == Units::Metres;
    std::string text;
    for (const LogbookRow& r : book.rows) {
        const int32_t apogee = metres ? WholePressureHeight(r.apogeeHeight, units) : r.apogee;
        JsonObject o;
        o.Add("file", r.path)
            .Add("date", r.date)
            .Add("time", r.time)
            .Add("note", r.note)
            .Add("model", r.model)
            .Add("motor", r.motor)
            .Add(metres ? "apogee_m" : "apogee_ft", apogee)
            .Add("apogee_time", r.apogeeTime)
            .Add(metres ? "max_speed_m_s" : "max_speed_ft_s", InUnits(r.maxSpeed, units))
            .Add(metres ? "max_accel_m_s2" : "max_accel_ft_s2", InUnits(r.maxAccel, units))
            .AddRaw("flight_time", r.duration ? JsonNumber(*r.duration) : "null")
            .AddRaw("drogue_fire_time", r.drogueFire ? JsonNumber(*r.drogueFire) : "null")
            .Add("main_fire_time", r.mainFire)
            .AddRaw("launch_time", r.launchTime ? JsonNumber(*r.launchTime) : "null");
        text += o.Text() + "\n";
    }
    return text;
}

std::string LogbookText(const Logbook& book, Units units) {
    std::vector<std::vector<std::string>> table{LogbookHeaders(units)};
    for (const LogbookRow& row : book.rows)
        table.push_back(LogbookCells(row, units));
    return TextTable(table, table[0].size());
}

}  // namespace orvale
