// Fields of the comma-separated files Orvale writes for spreadsheets.
#pragma once

#include <string>

namespace orvale {

// A text field, quoted when it holds a comma, a quote or a line break (quotes doubled).
std::string CsvField(const std::string& text);

// A number with 9 significant digits, which round-trips a single; empty when it is not finite,
// so that a spreadsheet sees a missing value rather than a word.
std::string CsvNumber(double value);

}  // namespace orvale
