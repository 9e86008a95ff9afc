#include "graph/graph_table_rules.h"

#include <algorithm>
#include <cmath>

#include "core/text_format.h"
#include "core/time_window.h"
#include "files/ascii_text.h"
#include "files/number_text.h"
#include "files/windows1252.h"

namespace orvale {

int ShownColourIndex(int32_t index) {
    return std::clamp<int32_t>(index, 0, static_cast<int32_t>(kChannelColours.size()) - 1);
}

int ShownFilterLevel(int32_t level) {
    return std::clamp<int32_t>(level, 0, static_cast<int32_t>(kFilterLevels.size()) - 1);
}

std::string ReadingCellText(float reading) {
    return Fixed(reading, 1, 2);
}

namespace {

bool IsTextColumn(int column) {
    return column == kTitleColumn || column == kFormulaColumn;
}

bool IsReadingColumn(int column) {
    return column == kMinReadingColumn || column == kMaxReadingColumn;
}

std::string CellName(int row, int column) {
    return std::string(kGraphColumns[static_cast<size_t>(column)].header) + " of channel " +
           std::to_string(row + 1);
}

// At most eight digits before the point, as the cell's picture allows.
constexpr float kReadingLimit = 99999999.0f;

}  // namespace

std::optional<std::string> GraphCellRefusal(int row, int column, std::string_view text) {
    if (IsTextColumn(column)) {
        if (auto character = FirstCharacterOutsideWindows1252(text))
            return CellName(row, column) + " holds " + *character +
                   ", a character the parameter file cannot keep (it holds 8-bit Western text).";
        return std::nullopt;
    }
    if (!IsReadingColumn(column))
        return std::nullopt;
    const auto value = ParseWellFormedNumber(TrimBlanks(text), false);
    if (value && std::fabs(*value) <= kReadingLimit)
        return std::nullopt;
    return CellName(row, column) + " must be a number, such as 4095.00.";
}

bool StoreGraphCell(AppState& state, int row, int column, std::string_view text) {
    if (row < 0 || row >= kFileChannels || GraphCellRefusal(row, column, text))
        return false;
    ChannelDef& channel = state.channels[static_cast<size_t>(row)];
    switch (column) {
        case kTitleColumn:
            channel.title = CutText(text, kNameLimit);
            return true;
        case kFormulaColumn:
            channel.formula = CutText(text, kFormulaLimit);
            return true;
        case kMinReadingColumn:
        case kMaxReadingColumn: {
            const float value = *ParseWellFormedNumber(TrimBlanks(text), false);
            // What the cell shows is what is kept.
            const float shown = static_cast<float>(std::nearbyint(double(value) * 100.0) / 100.0);
            (column == kMinReadingColumn ? channel.minReading : channel.maxReading) = shown;
            return true;
        }
        default:
            return false;
    }
}

void GraphSelection::Take(const AppState& state) {
    for (int row = 0; row < kFileChannels; ++row)
        flags_[static_cast<size_t>(row)] = state.channels[static_cast<size_t>(row)].selected;
}

void GraphSelection::Toggle(AppState& state, int row) {
    if (row < 0 || row >= kFileChannels)
        return;
    bool& flag = flags_[static_cast<size_t>(row)];
    flag = !flag;
    state.channels[static_cast<size_t>(row)].selected = flag;
}

void GraphSelection::WriteBack(AppState& state) const {
    for (int row = 0; row < kFileChannels; ++row)
        state.channels[static_cast<size_t>(row)].selected = flags_[static_cast<size_t>(row)];
}

void LeaveGraphStart(AppState& state, Prompts& prompts, float start) {
    state.currentEntry = 0;
    DataFileEntry& entry = state.entries[0];
    entry.graphStart = start;
    SetGraphStart(state, prompts, true, start);
    SetGraphLength(state, prompts, false, entry.graphLength);
}

void LeaveGraphLength(AppState& state, Prompts& prompts, float length) {
    state.currentEntry = 0;
    state.entries[0].graphLength = length;
    SetGraphLength(state, prompts, false, length);
}

}  // namespace orvale
