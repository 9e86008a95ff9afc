#include "device/device_commands.h"

#include "core/prompts.h"
#include "device/device_link.h"

namespace orvale {

// Both commands open the port of the settings first, as a capture does: the port otherwise
// stays where it was last put (COM1 after start-up, or a choice cancelled in Configure Port),
// and a clear sent to the wrong device is worse than none.
//
// Both exchanges count any two bytes as the recorder's answer. Silence is not success: a
// recorder that never answered has not erased its memory or taken the new altitude, and the
// flyer must not be told otherwise before a flight.

bool ClearDataBuffer(DeviceLink& link, Prompts& prompts) {
    if (!prompts.ConfirmDestructive(kClearWarning))
        return false;
    link.OpenPort();
    const bool confirmed = link.ClearDeviceBuffer();
    if (confirmed)
        prompts.ShowInformation(kClearDone);
    else
        prompts.ShowWarning(kClearUnconfirmed);
    return confirmed;
}

int MainDeployAltitudeFeet(char letter) {
    switch (letter) {
        case 'L':
            return 600;
        case 'M':
            return 1200;
        default:
            return 2400;
    }
}

bool SetMainDeployAltitude(DeviceLink& link, Prompts& prompts, char letter) {
    link.OpenPort();
    const bool confirmed = link.SetMainDeployment(letter);
    if (!confirmed)
        prompts.ShowWarning(kDeployUnconfirmed);
    return confirmed;
}

}  // namespace orvale
