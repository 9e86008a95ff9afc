// The units a flyer reads heights, speeds and accelerations in. Everything is computed in feet
// (the recorder's calibration and the channel formulas work in feet); a value is converted once,
// from its computed value, when it is shown.
#pragma once

#include <optional>
#include <string_view>

namespace orvale {

enum class Units { Feet, Metres };

// One foot is exactly this many metres.
constexpr double kMetresPerFoot = 0.3048;
// The feet per second squared of one g, as the summary and the speed formulas reckon it.
constexpr float kFeetPerSecond2PerG = 32.17f;

// How the summary, the live altimeter and the logbook name each unit.
struct UnitNames {
    const char* word;    // after the launch site's altitude: "feet" / "metres"
    const char* length;  // "ft" / "m"
    const char* speed;   // "ft/sec" / "m/s"
    const char* accel;   // "ft/sec²" / "m/s²"
};
const UnitNames& NamesOf(Units units);

// A length, speed or acceleration computed in feet, in the chosen units.
double InUnits(float feet, Units units);

// The settings file's spelling: "ft" or "m".
const char* UnitsKey(Units units);
// "ft" or "m" in any letter case, blanks around allowed; anything else is none.
std::optional<Units> ParseUnits(std::string_view text);

}  // namespace orvale
