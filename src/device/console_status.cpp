#include "device/console_status.h"

namespace orvale {

void ConsoleStatus::SetMeter(unsigned percent) {
    const int tens = static_cast<int>(percent / 10);
    if (tens == shownTens_)
        return;
    shownTens_ = tens;
    out_ << "  " << tens * 10 << "%\n" << std::flush;
}

void ConsoleStatus::SetStatusLine(const std::string& text) {
    if (text == line_)
        return;
    line_ = text;
    out_ << text << "\n" << std::flush;
}

void ConsoleStatus::Hide() {
    showing_ = false;
    line_.clear();
    shownTens_ = -1;
}

}  // namespace orvale
