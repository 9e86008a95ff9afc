#include "core/csv_text.h"

#include <cmath>
#include <cstdio>

namespace orvale {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string CsvNumber(double value) {
    if (!std::isfinite(value))
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", value);
    return buf;
}

}  // namespace orvale
