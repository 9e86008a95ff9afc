// The flight logbook: every flight of a folder with what a flyer looks up after a launch day,
// computed from the recorder images and their parameter files as opening each flight does.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/units.h"

namespace orvale {

struct LogbookRow {
    std::string file;  // the data file's name
    std::string path;  // its full path, for opening it
    std::string date;  // as the parameter file holds them
    std::string time;
    std::string note;
    std::string model;
    std::string motor;
    int32_t apogee = 0;         // by pressure, feet above the site
    float apogeeHeight = 0.0f;  // the same before it is rounded
    float apogeeTime = 0.0f;
    float maxSpeed = 0.0f;  // ft/sec
    float maxAccel = 0.0f;  // ft/sec²
    // Launch (the acceleration leaving its rest band) to landing (the pressure back at the
    // site's); none when either is not in the recording.
    std::optional<float> duration;
    std::optional<float> drogueFire;  // none when the flight fires no drogue
    float mainFire = 0.0f;
    std::optional<double> launchTime;  // on the graph's time axis
};

// A file that looked like a flight but could not be read, with the reason.
struct LogbookFailure {
    std::string path;
    std::string reason;
};

struct Logbook {
    std::vector<LogbookRow> rows;  // by folder as given, then by file name
    std::vector<LogbookFailure> failures;
};

// Every data file (".DAT" in any letter case) directly in each folder. Warnings that opening a
// flight would show (a missing calibration, a damaged checksum) do not stop the listing.
Logbook ReadLogbook(const std::vector<std::string>& folders, const std::string& programDirectory);

// The logbook's columns, as the table and the CSV head them; the heads name the units.
std::vector<std::string> LogbookHeaders(Units units = Units::Feet);
// One row as the table shows it: a text per column, numbers as the summary writes them (in the
// given units) and empty where a value is missing.
std::vector<std::string> LogbookCells(const LogbookRow& row, Units units = Units::Feet);

std::string LogbookCsv(const Logbook& book, Units units = Units::Feet);
// One JSON object per line; the names of the apogee, speed and acceleration fields end in
// their units ("apogee_ft" or "apogee_m").
std::string LogbookJson(const Logbook& book, Units units = Units::Feet);
// Columns aligned for a terminal.
std::string LogbookText(const Logbook& book, Units units = Units::Feet);

}  // namespace orvale
