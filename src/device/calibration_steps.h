// The calibration's reading steps: the flyer is asked to place the recorder, one block of sensor
// records is read, and its statistics become the calibration values at once; the gee steps then
// refit the accelerometer's line.
#pragma once

#include <functional>

namespace orvale {

class DeviceLink;
class Prompts;

enum class CalibrationReading { Pressure, MinusOneGee, ZeroGee, PlusOneGee };

inline const char kReadPressurePrompt[] = "About to Measure Barometric Pressure";
inline const char kReadMinusOneGeePrompt[] = "Set the Tavix Upside Down to Measure -1 G";
inline const char kReadZeroGeePrompt[] = "Set the Tavix Flat to Measure Zero G";
inline const char kReadPlusOneGeePrompt[] = "Stand the Tavix Rightside Up to Measure Plus One G";
inline const char kCalibrateReminder[] =
    "Make sure you enter the current Altitude and Barometric Pressure";
inline const char kReadingIncomplete[] =
    "The reading did not complete, so the calibration values are unchanged.";

const char* CalibrationPrompt(CalibrationReading step);

// Asks first (OK and Cancel); on OK opens the port of the settings, reads one block and stores
// the average and deviation of the step's readings in the calibration, then, for a gee step,
// refits the line (CalcGee). True when the values changed. A block that does not arrive
// complete, a Cancel in the status window or a port that fails changes nothing: the flyer is
// told the reading did not complete, and why.
bool RunCalibrationReading(DeviceLink& link, Prompts& prompts, CalibrationReading step);

// "Calibrate": the four steps in the order pressure, -1 g, 0 g, +1 g, each with its own prompt
// and each skippable, calling shown(step) after every step that changed values; then the
// reminder to enter the site's altitude and pressure.
void RunFullCalibration(DeviceLink& link, Prompts& prompts,
                        const std::function<void(CalibrationReading)>& shown);

}  // namespace orvale
