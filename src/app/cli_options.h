// Option values of the command-line tool, read strictly: the whole argument must be the value,
// else the option is refused with a message saying what was expected.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvale {

// A decimal whole number that fits 32 bits.
std::optional<int32_t> ParseWholeNumber(const std::string& text);

// A recorded-channel mask: decimal, or hexadecimal after "0x"; 32 bits.
std::optional<uint32_t> ParseChannelMask(const std::string& text);

// A finite decimal number such as "-0.25", "10" or "1e2".
std::optional<double> ParseDecimal(const std::string& text);

// The value of --start or --length (option names which) into start or length: seconds, the
// length above 0. Empty when taken, else the message saying what was expected.
std::string ParseWindowOption(const std::string& option, const std::string& value,
                              std::optional<double>& start, std::optional<double>& length);

// A filter level: 0..3 or its name (None, Light, Medium, Heavy) in any letter case.
std::optional<int32_t> ParseFilterLevel(const std::string& text);

// Channel numbers separated by commas ("1,2,3"), each 1..highest; nullopt when one is not.
std::optional<std::vector<int>> ParseChannelList(const std::string& text, int highest);

// A command's lines of the tool's usage text, which are indented to follow "usage:", as that
// command's own usage text.
std::string OwnUsage(const char* lines);

// The next argument as the value of option args[i], advancing i; nullopt at the end.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, size_t& i);

}  // namespace orvale
