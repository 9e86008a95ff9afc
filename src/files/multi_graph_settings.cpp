#include "files/multi_graph_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "files/number_text.h"
#include "files/windows1252.h"

namespace orvale {

namespace {

// Offsets are kept to the millisecond, never as a rounded float's long tail.
std::string OffsetText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

std::string Key(const char* name, int row) {
    return std::string(name) + "_" + std::to_string(row + 1);
}

}  // namespace

std::optional<double> ParseMultiGraphOffset(std::string_view text) {
    constexpr double kLargestOffset = 900.0;
    const std::optional<float> value = ParseWellFormedNumber(text, true);
    if (!value || !std::isfinite(*value) || std::abs(*value) > kLargestOffset)
        return std::nullopt;
    return std::round(static_cast<double>(*value) * 1000.0) / 1000.0;
}

void ReadMultiGraphSettings(const IniFile& ini, MultiGraphChoice& choice) {
    if (!ini.Value(kMultiGraphSection, "Rows"))
        return;
    choice = MultiGraphChoice{};
    choice.alignAtLaunch = ini.ReadBool(kMultiGraphSection, "Align_At_Launch", true);
    const int rows =
        std::clamp(ini.ReadInteger(kMultiGraphSection, "Rows", 0), 0, kMostMultiGraphRows);
    for (int i = 0; i < rows; ++i) {
        MultiGraphRow row;
        row.dataFile = ini.ReadString(kMultiGraphSection, Key("Flight", i), "");
        row.channel = ini.ReadInteger(kMultiGraphSection, Key("Channel", i), 0);
        row.colourIndex = std::clamp(
            ini.ReadInteger(kMultiGraphSection, Key("Colour", i), DefaultMultiGraphColour(i)), 0,
            15);
        const std::optional<double> offset =
            ParseMultiGraphOffset(ini.ReadString(kMultiGraphSection, Key("Offset", i), "0"));
        if (row.dataFile.empty() || row.channel < 1 || row.channel > 13 || !offset)
            continue;
        row.offset = *offset;
        choice.rows.push_back(row);
    }
}

void WriteMultiGraphSettings(IniFile& ini, const MultiGraphChoice& given) {
    // A flight in a folder whose name the file's 8-bit set cannot hold is not kept: the rest of
    // the settings must still be written.
    MultiGraphChoice choice = given;
    std::erase_if(choice.rows, [](const MultiGraphRow& row) {
        return FirstCharacterOutsideWindows1252(row.dataFile).has_value();
    });
    const bool known = ini.Value(kMultiGraphSection, "Rows").has_value();
    if (choice.rows.empty() && given.rows.empty() && !known)
        return;
    const int rows = std::min(static_cast<int>(choice.rows.size()), kMostMultiGraphRows);
    ini.WriteBool(kMultiGraphSection, "Align_At_Launch", choice.alignAtLaunch);
    ini.WriteInteger(kMultiGraphSection, "Rows", rows);
    for (int i = 0; i < kMostMultiGraphRows; ++i) {
        if (i >= rows) {
            // Rows removed since the last run: emptied, so no reader takes them back.
            if (ini.Value(kMultiGraphSection, Key("Flight", i)))
                ini.WriteString(kMultiGraphSection, Key("Flight", i), "");
            continue;
        }
        const MultiGraphRow& row = choice.rows[static_cast<size_t>(i)];
        ini.WriteString(kMultiGraphSection, Key("Flight", i), row.dataFile);
        ini.WriteInteger(kMultiGraphSection, Key("Channel", i), row.channel);
        ini.WriteInteger(kMultiGraphSection, Key("Colour", i), row.colourIndex);
        ini.WriteString(kMultiGraphSection, Key("Offset", i), OffsetText(row.offset));
    }
}

}  // namespace orvale
