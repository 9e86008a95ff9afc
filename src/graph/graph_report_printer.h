// The printed graph report on a printer or into a PDF: the report's lines written from the top
// of the page and the graph below them, a full page wide and half a page high (on the next page
// when the text reaches past the middle).
#pragma once

#include <string>
#include <vector>

class QPrinter;

namespace orvale {

struct AppState;
class Prompts;
class QcpGraphEngine;

// Writes lines (an empty one is a blank line) and the engine's graph on printer as one job titled
// "Orvale Graph". The text is made smaller to fit the widest line across the page, down to a
// legible size; a line still too wide goes on in indented rows below it. A line that would run
// past the bottom of a page starts the next page. False when the printer cannot start the job.
bool PrintReportPage(QPrinter& printer, const std::vector<std::string>& lines,
                     QcpGraphEngine& engine);

// The whole report: reloads each series entry's flight and parameter file for its text (see
// BuildReportLines) and prints it with the graph the engine holds. False when the printer cannot
// start the job.
// besideEachFlight: as BuildReportLines takes it.
bool PrintGraphReport(AppState& state, Prompts& prompts, QcpGraphEngine& engine, QPrinter& printer,
                      bool besideEachFlight = false);

}  // namespace orvale
