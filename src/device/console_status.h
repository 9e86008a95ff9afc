// The status display of the command-line tool: status lines and progress in tens of percent,
// written to the error stream so that the summary on standard output stays clean.
#pragma once

#include <ostream>
#include <string>

#include "device/status_display.h"

namespace orvale {

class ConsoleStatus : public StatusDisplay {
public:
    explicit ConsoleStatus(std::ostream& out) : out_(out) {}

    void SetMeter(unsigned percent) override;
    void SetButtonCaption(const std::string&) override {}
    void SetStatusLine(const std::string& text) override;
    void Show() override { showing_ = true; }
    void Hide() override;
    bool IsShowing() const override { return showing_; }

private:
    std::ostream& out_;
    bool showing_ = false;
    std::string line_;
    int shownTens_ = -1;
};

}  // namespace orvale
