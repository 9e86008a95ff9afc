#include "app/cli_options.h"

#include <array>
#include <charconv>
#include <cmath>

#include "core/app_state.h"

namespace orvale {

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

std::optional<int32_t> ParseWholeNumber(const std::string& text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::optional<uint32_t> ParseChannelMask(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* first = text.data() + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    uint32_t value = 0;
    auto [ptr, ec] = std::from_chars(first, end, value, hex ? 16 : 10);
    if (first == end || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::optional<double> ParseDecimal(const std::string& text) {
    // from_chars also reads "inf", "nan" and hexadecimal forms; only plain decimals are wanted.
    if (text.find_first_not_of("0123456789.-+eE") != std::string::npos)
        return std::nullopt;
    const char* first = text.data();
    if (!text.empty() && text[0] == '+')
        ++first;
    const char* end = text.data() + text.size();
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(first, end, value);
    if (first == end || ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int32_t> ParseFilterLevel(const std::string& text) {
    const std::string name = Lower(text);
    for (size_t i = 0; i < kFilterLevels.size(); ++i)
        if (name == Lower(kFilterLevels[i].name) || name == std::to_string(i))
            return static_cast<int32_t>(i);
    return std::nullopt;
}

std::optional<std::vector<int>> ParseChannelList(const std::string& text, int highest) {
    std::vector<int> channels;
    size_t from = 0;
    while (true) {
        const size_t comma = text.find(',', from);
        const auto n = ParseWholeNumber(text.substr(from, comma - from));
        if (!n || *n < 1 || *n > highest)
            return std::nullopt;
        channels.push_back(*n);
        if (comma == std::string::npos)
            return channels;
        from = comma + 1;
    }
}

std::string OwnUsage(const char* lines) {
    const std::string text(lines);
    const size_t first = text.find_first_not_of(' ');
    return "usage: " + text.substr(first == std::string::npos ? 0 : first);
}

std::optional<std::string> OptionValue(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size())
        return std::nullopt;
    return args[++i];
}

std::string ParseWindowOption(const std::string& option, const std::string& value,
                              std::optional<double>& start, std::optional<double>& length) {
    const auto seconds = ParseDecimal(value);
    if (!seconds)
        return option + " needs a number of seconds, not \"" + value + "\"";
    if (option == "--length" && *seconds <= 0.0)
        return "--length needs a positive number of seconds, not \"" + value + "\"";
    (option == "--start" ? start : length) = seconds;
    return {};
}

}  // namespace orvale
