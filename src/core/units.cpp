#include "core/units.h"

#include <cctype>
#include <string>

namespace orvale {

const UnitNames& NamesOf(Units units) {
    static const UnitNames feet{"feet", "ft", "ft/sec", "ft/sec\u00b2"};
    static const UnitNames metres{"metres", "m", "m/s", "m/s\u00b2"};
    return units == Units::Metres ? metres : feet;
}

double InUnits(float feet, Units units) {
    // In feet the value passes unchanged, so the texts stay exactly what they always were.
    const double value = static_cast<double>(feet);
    return units == Units::Metres ? value * kMetresPerFoot : value;
}

const char* UnitsKey(Units units) {
    return units == Units::Metres ? "m" : "ft";
}

std::optional<Units> ParseUnits(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "ft")
        return Units::Feet;
    if (lower == "m")
        return Units::Metres;
    return std::nullopt;
}

}  // namespace orvale
