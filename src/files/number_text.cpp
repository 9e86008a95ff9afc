#include "files/number_text.h"

#include <locale.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/text_format.h"
#include "files/ascii_text.h"

namespace orvale {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int32_t> ParseHex(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        int d = HexDigitValue(c);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // Counted in 64 bits against the limit of the sign's side, so that -2147483648 is read.
    const int64_t limit = negative ? int64_t{1} << 31 : (int64_t{1} << 31) - 1;
    int64_t value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

// Length of the run of digits at the start of text.
size_t DigitRun(std::string_view text) {
    size_t n = 0;
    while (n < text.size() && IsDigit(text[n]))
        ++n;
    return n;
}

bool IsWellFormed(std::string_view text) {
    size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    size_t whole = DigitRun(text.substr(pos));
    pos += whole;
    size_t fraction = 0;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        fraction = DigitRun(text.substr(pos));
        pos += fraction;
    }
    if (whole == 0 && fraction == 0)
        return false;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        size_t exponent = DigitRun(text.substr(pos));
        if (exponent == 0)
            return false;
        pos += exponent;
    }
    return pos == text.size();
}

// The "C" locale, created once: strtold alone would follow the user's decimal separator.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text) {
    text = TrimBlanks(text);
    if (text.starts_with("0x") || text.starts_with("0X"))
        return ParseHex(text.substr(2));
    if (text.starts_with("$"))
        return ParseHex(text.substr(1));
    return ParseDecimal(text);
}

std::optional<float> ParseWellFormedNumber(std::string_view text, bool allowLeadingBlanks) {
    if (allowLeadingBlanks) {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
    }
    if (!IsWellFormed(text))
        return std::nullopt;
    // Read in extended precision and then rounded to float, the same two steps as every other
    // number reader of the program, so that they agree to the last bit.
    const std::string copy(text);
    const long double wide = strtold_l(copy.c_str(), nullptr, CLocale());
    const float value = static_cast<float>(wide);
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

std::string FormatFixed2(float v) {
    return Fixed(v, 3, 2);
}

std::string FormatCalValue(float v) {
    return Fixed(v, 12, 4);
}

}  // namespace orvale
