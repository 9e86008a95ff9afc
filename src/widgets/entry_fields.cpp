#include "widgets/entry_fields.h"

#include <charconv>

namespace orvale {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int64_t> ParseWholeNumber(std::string_view text, int64_t min, int64_t max) {
    text = Trimmed(text);
    // from_chars takes no "+"; a flyer may well type one.
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || (text.front() == '-' && text.size() == 1))
        return std::nullopt;
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // Only plain decimals: from_chars would also take "inf", "nan" and exponents.
    size_t digits = 0;
    bool point = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c))
            ++digits;
        else if (c == '.' && !point)
            point = true;
        else if (!(c == '-' && i == 0))
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string WholeNumberRefusal(std::string_view label, int64_t min, int64_t max) {
    return std::string(label) + " must be a whole number from " + std::to_string(min) + " to " +
           std::to_string(max) + ".";
}

}  // namespace orvale
