// What the "Graph Parameters" table shows of each channel and what its cells take, kept apart
// from the widgets so the rules hold wherever the table is drawn.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/app_state.h"
#include "graph/graph_colours.h"

namespace orvale {

class Prompts;

enum GraphColumn : int {
    kChannelColumn,
    kSelectColumn,
    kTitleColumn,
    kMinReadingColumn,
    kMaxReadingColumn,
    kFilterColumn,
    kFormulaColumn,
    kColourColumn,
    kGraphColumnCount
};

struct GraphColumnInfo {
    const char* header;
    int width;  // pixels
    const char* hint;
    int maxLength;  // characters a text cell takes; 0 when the cell is no text
};

inline constexpr std::array<GraphColumnInfo, kGraphColumnCount> kGraphColumns{{
    {"Channel", 57, "", 0},
    {"Select", 47, "Select Channel to Graph", 0},
    {"Title", 220, "Enter Channel Title", kNameLimit},
    {"Min Reading", 78, "Enter Minimum Reading to Graph", 0},
    {"Max Reading", 78, "Enter Maximum Reading to Graph", 0},
    {"Filter", 78, "Select Filtering", 0},
    // The file keeps formulas of 128 characters; the cell shows and keeps them whole.
    {"Formula", 150, "Enter Formula for Data to Graph", kFormulaLimit},
    {"Color", 64, "Select Color", 0},
}};

// A colour index outside 0..15 (a damaged value) shows as the nearest one.
int ShownColourIndex(int32_t index);
// The same for a filter level outside 0..3.
int ShownFilterLevel(int32_t level);

// A reading as its cell shows it: two decimals.
std::string ReadingCellText(float reading);

// What a text or reading cell is refused for ("Min Reading of channel 3 must be a number, such
// as 4095.00."), or nothing when the cell takes it.
std::optional<std::string> GraphCellRefusal(int row, int column, std::string_view text);

// Stores a text or reading cell into channel row + 1 (row 0..11): texts cut to their limits,
// readings rounded to the two decimals the cell shows. False, with nothing changed, when the
// cell refuses the text.
bool StoreGraphCell(AppState& state, int row, int column, std::string_view text);

// The table's own copy of the "selected" flags of channels 1..12: taken when the dialog is
// shown, written over all twelve channels by its buttons.
class GraphSelection {
public:
    void Take(const AppState& state);
    bool Selected(int row) const { return flags_[static_cast<size_t>(row)]; }
    // A click on the "Select" cell: the copy and the channel's own flag both take the new state.
    void Toggle(AppState& state, int row);
    void WriteBack(AppState& state) const;

private:
    std::array<bool, kFileChannels> flags_{};
};

// Leaving the start field: the flight's own window (entry 0) takes the start, corrected by the
// time-window setters with their reports, and the length is fitted after it without a report.
void LeaveGraphStart(AppState& state, Prompts& prompts, float start);
// Leaving the length field: the length is corrected silently (cut at the end of the data).
void LeaveGraphLength(AppState& state, Prompts& prompts, float length);

}  // namespace orvale
