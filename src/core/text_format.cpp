#include "core/text_format.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace orvale {

std::string CutText(std::string_view text, int n) {
    size_t pos = 0;
    int chars = 0;
    while (pos < text.size() && chars < n) {
        unsigned char c = static_cast<unsigned char>(text[pos]);
        size_t len = 1;
        if (c >= 0xF0) {
            len = 4;
        } else if (c >= 0xE0) {
            len = 3;
        } else if (c >= 0xC0) {
            len = 2;
        }
        pos += len;
        ++chars;
    }
    return std::string(text.substr(0, std::min(pos, text.size())));
}

std::string Fixed(double x, int w, int d) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%*.*f", w, d, x);
    return buf;
}

int32_t RoundToInt32(double x) {
    if (std::isnan(x))
        return 0;
    double r = std::nearbyint(x);
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

std::string RoundedText(float x) {
    return std::to_string(RoundToInt32(x));
}

std::string FileNamePart(std::string_view path) {
    size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return CutText(name, 64);
}

}  // namespace orvale
