#include "device/calibration_steps.h"

#include "core/prompts.h"
#include "device/calibration_fit.h"
#include "device/device_link.h"
#include "device/sensor_readings.h"

namespace orvale {

const char* CalibrationPrompt(CalibrationReading step) {
    switch (step) {
        case CalibrationReading::Pressure:
            return kReadPressurePrompt;
        case CalibrationReading::MinusOneGee:
            return kReadMinusOneGeePrompt;
        case CalibrationReading::ZeroGee:
            return kReadZeroGeePrompt;
        case CalibrationReading::PlusOneGee:
            break;
    }
    return kReadPlusOneGeePrompt;
}

bool RunCalibrationReading(DeviceLink& link, Prompts& prompts, CalibrationReading step) {
    if (!prompts.ConfirmInformation(CalibrationPrompt(step)))
        return false;
    CalibrationData& c = link.state().calibration;
    float* average = &c.avgbp;
    float* deviation = &c.stdbp;
    if (step == CalibrationReading::MinusOneGee) {
        average = &c.avgMinus1g;
        deviation = &c.stdMinus1g;
    } else if (step == CalibrationReading::ZeroGee) {
        average = &c.avg0g;
        deviation = &c.std0g;
    } else if (step == CalibrationReading::PlusOneGee) {
        average = &c.avgPlus1g;
        deviation = &c.stdPlus1g;
    }
    const int offset = step == CalibrationReading::Pressure ? kPressureOffset : kAccelOffset;
    try {
        // Opened from the settings as the other recorder commands do: the port may still be
        // where an earlier choice left it.
        link.OpenPort();
        // The rest of a block the recorder is still sending (after a cancelled reading or the
        // live window) must not be cut into this reading's records.
        link.DrainInput();
        // Both values or neither: MeasureReadings leaves them alone when the block falls short.
        MeasureReadings(link, offset, *average, *deviation);
    } catch (const EDeviceError& e) {
        prompts.ShowWarning(std::string(kReadingIncomplete) + "\n\n" + e.what());
        return false;
    }
    if (step != CalibrationReading::Pressure)
        CalcGee(c);
    return true;
}

void RunFullCalibration(DeviceLink& link, Prompts& prompts,
                        const std::function<void(CalibrationReading)>& shown) {
    for (CalibrationReading step : {CalibrationReading::Pressure, CalibrationReading::MinusOneGee,
                                    CalibrationReading::ZeroGee, CalibrationReading::PlusOneGee}) {
        if (RunCalibrationReading(link, prompts, step) && shown)
            shown(step);
    }
    // Either answer only closes the box.
    prompts.ConfirmInformation(kCalibrateReminder);
}

}  // namespace orvale
