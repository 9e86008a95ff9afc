// Small text and number helpers shared by the records, the summary and the files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvale {

// Cuts a text to its first n characters. Texts are UTF-8, so a character is a code point and a
// cut never splits one.
std::string CutText(std::string_view text, int n);

// x rounded to d decimals and right-aligned to at least w characters: printf("%*.*f").
std::string Fixed(double x, int w, int d);

// Round to nearest, ties to even, saturating at the 32-bit limits (NaN gives 0).
int32_t RoundToInt32(double x);

// A rounded value as a decimal integer text.
std::string RoundedText(float x);

// The file-name part of a path: what follows the last separator, at most 64 characters.
std::string FileNamePart(std::string_view path);

}  // namespace orvale
