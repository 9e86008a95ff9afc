// The command-line tool's prompts when a command reports in JSON: every error box report is kept,
// in order, to be written into the result; the rest goes to the error stream as usual.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/cli_prompts.h"

namespace orvale {

struct ErrorBoxReport {
    std::string message;
    std::string line2;
    std::string line3;
};

class RecordingPrompts : public CliPrompts {
public:
    // echo: also write each report to err, as the plain command-line prompts do.
    RecordingPrompts(std::ostream& err, bool echo) : CliPrompts(err), echo_(echo) {}

    void ShowErrorBox(const std::string& message, const std::string& line2,
                      const std::string& line3) override {
        reports_.push_back({message, line2, line3});
        if (echo_)
            CliPrompts::ShowErrorBox(message, line2, line3);
    }

    const std::vector<ErrorBoxReport>& Reports() const { return reports_; }

private:
    bool echo_;
    std::vector<ErrorBoxReport> reports_;
};

// The reports as a JSON array of {"message", "line2", "line3"} objects.
std::string ReportsJson(const std::vector<ErrorBoxReport>& reports);

}  // namespace orvale
