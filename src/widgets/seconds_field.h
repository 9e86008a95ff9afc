// The fields where the flyer types a time in seconds (a graph's start and length): up to four
// decimals, and a start may lie before launch (a negative time).
#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace orvale {

// A right-aligned field taking [-]digits[.dddd] with up to wholeDigits digits before the point;
// hint is its tool and status tip. With narrow set it is only as wide as the longest time it
// shows, so a row of fields fits a dialog's width.
QLineEdit* SecondsField(const char* name, const char* hint, int wholeDigits, bool narrow,
                        QWidget* parent);

// A time as the fields show it: four decimals.
QString SecondsText(double seconds);

}  // namespace orvale
