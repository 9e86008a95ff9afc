// Dates and times as the program writes them (parameter files, report, summary).
#pragma once

#include <ctime>
#include <string>

namespace orvale {

// "mm/dd/yyyy"
std::string FormatProgramDate(std::time_t t);
// "hh:mm AM" / "hh:mm PM", twelve-hour clock with a leading zero.
std::string FormatProgramTime(std::time_t t);
// The system's own short date and long time, for the defaults taken before the program's
// formats are set.
std::string FormatSystemDate(std::time_t t);
std::string FormatSystemTime(std::time_t t);

}  // namespace orvale
