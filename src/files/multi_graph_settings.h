// The "MultiGraph" section of the settings file: the flights last laid over one another. It
// comes after the five sections every settings reader knows, and is written only once the
// flyer has made a comparison, so files of flyers who never do keep their old form.
#pragma once

#include <optional>
#include <string_view>

#include "core/multi_graph_choice.h"
#include "files/ini_file.h"

namespace orvale {

inline const char kMultiGraphSection[] = "MultiGraph";

// An offset as the flyer or the file writes it: a plain decimal number of seconds between -900
// and 900 (no flight lasts a quarter of an hour), kept to the millisecond. None otherwise,
// including the empty text.
std::optional<double> ParseMultiGraphOffset(std::string_view text);

// Rows with a value that makes no sense (an empty file name, a channel outside 1..13, an offset
// that is not a number) are left out; a missing section leaves the choice as it is.
void ReadMultiGraphSettings(const IniFile& ini, MultiGraphChoice& choice);

void WriteMultiGraphSettings(IniFile& ini, const MultiGraphChoice& choice);

}  // namespace orvale
