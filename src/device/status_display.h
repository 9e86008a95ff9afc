// The Communication Status display as the recorder link drives it: a status line, a meter from 0
// to 100 % and one button whose caption says whether pressing it cancels. The desktop dialog and
// the command line's progress lines implement it; the link keeps the logic.
#pragma once

#include <string>

namespace orvale {

inline const char kCancelCaption[] = "&Cancel";
inline const char kOkCaption[] = "&OK";

class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    virtual void SetMeter(unsigned percent) = 0;
    virtual void SetButtonCaption(const std::string& caption) = 0;
    virtual void SetStatusLine(const std::string& text) = 0;
    // Shows the display without waiting for it; the program goes on.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsShowing() const = 0;
};

}  // namespace orvale
