// The text of the printed graph report: a header line, then for every graphed series the flight
// it comes from (file, note, location and model, each printed once while it stays the same) and
// a block of four lines on the channel. Building it reloads each series entry's flight and
// parameter file, so what it describes is what those files hold.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "core/app_state.h"

namespace orvale {

class Prompts;

inline const char kReportJobTitle[] = "Orvale Graph";
inline const char kReportAuthor[] = "the Orvale developers";

// A report number: rounded to 7 significant digits, then written with 2 decimals ("12.50").
// Beyond 7 digits before the point it is written in scientific form with 7 significant digits.
std::string ReportNumber(double x);

// "Orvaleo v<version>( by <author> for Vantrel --- <date> at <time>", cut as the report cuts it.
std::string ReportHeaderLine(const std::string& version, const std::string& date,
                             const std::string& time);

// The report's lines, top to bottom: the header, a blank line, then the flight lines and, for
// every series entry 1..12 in use, a blank line and its four lines. An empty text is a blank
// line. Each entry in use becomes the current entry in turn, its flight and parameter file are
// read again (the channel definitions in memory are then those of the last entry's file), and
// the current entry stays at the last one. now dates the header.
//
// With besideEachFlight set (flights laid over one another, which may come from other folders),
// each entry's parameter file is the one in its data file's folder rather than the working
// directory's; the working directory is as it was afterwards.
std::vector<std::string> BuildReportLines(AppState& state, Prompts& prompts, std::time_t now,
                                          bool besideEachFlight = false);

}  // namespace orvale
