// The "MultiGraph" section of the settings file: the flights last laid over one another. It
// comes after the five sections every settings reader knows, and is written only once the
// flyer has made a comparison, so files of flyers who never do keep their old form.
#pragma once

#include "core/multi_graph_choice.h"
#include "files/ini_file.h"

namespace orvale {

inline const char kMultiGraphSection[] = "MultiGraph";

// Rows with a value that makes no sense (an empty file name, a channel outside 1..13, an offset
// that is not a number) are left out; a missing section leaves the choice as it is.
void ReadMultiGraphSettings(const IniFile& ini, MultiGraphChoice& choice);

void WriteMultiGraphSettings(IniFile& ini, const MultiGraphChoice& choice);

}  // namespace orvale
