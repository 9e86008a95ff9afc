// The program's own error texts are stored in numbered slots and shown by the error box.
#pragma once

#include <array>
#include <string>

namespace orvale {

// Slot 1 carries every plain message; slot 2 exists but is never written. The window code
// reports a missing flight through its own slot, which has a fixed text.
constexpr int kErrorSlot = 1;
constexpr int kNoFlightDataSlot = 4;
inline const char kNoFlightDataText[] = "No flight data is loaded";
constexpr int kErrorTextLimit = 80;

struct ErrorMessages {
    std::array<std::string, 5> texts{" ", " ", " ", " ", kNoFlightDataText};

    // Stores a caller's text in slot 1, cut to the box's 80 characters.
    void Set(const std::string& text);
    const std::string& Text(int slot) const;
};

}  // namespace orvale
