// Reading what a flyer typed into a dialog's number box before it reaches the program state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvale {

// A whole number from min to max: an optional sign and digits, blanks around allowed. Nothing
// for anything else, including a number outside the range.
std::optional<int64_t> ParseWholeNumber(std::string_view text, int64_t min, int64_t max);

// A decimal number such as "12.5", "-0.25", "7" or ".5"; nothing for anything else.
std::optional<double> ParseDecimal(std::string_view text);

// "Number of Stages must be a whole number from 1 to 5."
std::string WholeNumberRefusal(std::string_view label, int64_t min, int64_t max);

}  // namespace orvale
