// Numbers as they are read from and written to the parameter, settings and calibration files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvale {

// An integer value of a private-profile file. Blanks and tabs around it are ignored. Decimal with
// an optional sign; a leading "0x", "0X" or "$" makes the rest hexadecimal, without a sign.
// Hexadecimal values run up to FFFFFFFF and are taken as a 32-bit register would hold them, so
// 0xFFFFFFFF is -1. Anything else (a fraction, a word, nothing, trailing junk, a decimal value
// outside the 32-bit range, more than 32 bits of hexadecimal) gives nullopt: the reader then
// keeps its default.
std::optional<int32_t> ParseIniInteger(std::string_view text);

// A decimal number: [blanks] [+|-] digits [. digits] [(E|e) [+|-] digits], with at least one
// digit on either side of the point; nothing may follow it, not even a blank. Blanks and tabs
// in front are accepted only when allowLeadingBlanks is set. Read independently of the user's
// locale (the point is always "."), then rounded to single precision.
//
// nullopt when the text is not well-formed, which includes the empty text (the readers store 0
// for an empty value, so they test for that first) and a value too large for a float: a stored
// reading must never become infinite. A value too small for a float becomes 0.
std::optional<float> ParseWellFormedNumber(std::string_view text, bool allowLeadingBlanks);

// A display-range reading as the parameter file holds it: printf("%3.2f"), e.g. "-2.50".
std::string FormatFixed2(float v);

// A calibration value as the calibration file holds it: printf("%12.4f"). A value of a million
// or more fills all 12 characters.
std::string FormatCalValue(float v);

}  // namespace orvale
