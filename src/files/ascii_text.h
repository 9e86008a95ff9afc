// Byte-level text helpers for the file formats, which are 8-bit text where only ASCII letters
// have a case and only blanks and tabs count as white space.
#pragma once

#include <string>
#include <string_view>

namespace orvale {

// The text without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view text);

// Equality where the ASCII letters A-Z and a-z are the same; other bytes compare exactly, so a
// name in a national character set only matches itself.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The text with A-Z as a-z, other bytes as they are: the key under which EqualsIgnoringCase
// finds it.
std::string LowerAsciiText(std::string_view text);

}  // namespace orvale
