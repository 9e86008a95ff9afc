// The short recorder commands of the main window: clearing the recorder's memory and setting the
// altitude at which it fires the main charge.
#pragma once

namespace orvale {

class DeviceLink;
class Prompts;

inline const char kClearWarning[] = "About to Clear Tavix's data buffer";
inline const char kClearDone[] = "Tavix's data buffer is now clear";
inline const char kClearUnconfirmed[] =
    "The Tavix did not confirm the clear: its data buffer may still hold the last flight. "
    "Check the port, the cable and the recorder's power, then try again.";
inline const char kDeployUnconfirmed[] =
    "The Tavix did not confirm the main deployment altitude: it may still use the old one. "
    "Check the port, the cable and the recorder's power, then try again.";

// Both open the port of the settings first.
//
// Asks first; on OK clears the recorder and says whether it confirmed. False when the flyer
// cancelled or the recorder did not answer.
bool ClearDataBuffer(DeviceLink& link, Prompts& prompts);

// The altitude in feet that a deployment letter sets.
int MainDeployAltitudeFeet(char letter);

// 'L' 600 ft, 'M' 1200 ft, 'H' 2400 ft. Silent when the recorder confirms; a warning when not.
bool SetMainDeployAltitude(DeviceLink& link, Prompts& prompts, char letter);

}  // namespace orvale
