// The 8-bit character set of the parameter, calibration and settings files (Windows-1252), and
// the program's UTF-8 text. Every byte has a character: the five bytes the set leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number, so any
// file read and written back comes out byte for byte as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvale {

// The bytes as UTF-8 text.
std::string DecodeWindows1252(std::string_view bytes);

// The UTF-8 text as bytes, or nothing when it holds a character the set has no byte for (or
// bytes that are not UTF-8).
std::optional<std::string> EncodeWindows1252(std::string_view text);

// The first character of the text that the set cannot hold, quoted for a message ("\"Ω\"", or
// "byte 0xE9" for a byte that is not UTF-8); nothing when every character fits.
std::optional<std::string> FirstCharacterOutsideWindows1252(std::string_view text);

}  // namespace orvale
