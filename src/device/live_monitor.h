// The Live Data window's logic: the recorder streams sensor records after "T"; every 20 ms the
// window takes the newest one, converts it with the calibration and moves the needles of the
// g meter and the altimeter. The window itself only draws what a tick returns.
#pragma once

#include <array>

namespace orvale {

class DeviceLink;

// Needle values of the two dials. GMeter: 0 g now, 1 raw acceleration reading, 2 maximum g,
// 3 minimum g. Altimeter: 0 altitude/100 brought below 10, 1 altitude/100, 2 raw pressure
// reading, 3 altitude, all in the units of the settings (feet or metres).
struct LiveNeedles {
    std::array<float, 4> gMeter{};
    std::array<float, 4> altimeter{};
};

enum class LiveTickResult {
    PortClosed,  // the window closes
    Restarted,   // no record at the start of the buffer: "T" was sent again
    BadRecord,   // a record whose readings are not three digits: skipped
    Shown,       // the needles hold the newest record
};

// When the window opens: opens the port, starts the stream, takes the zero-g and ground pressure
// readings from the calibration and zeroes the extremes (needles 2 and 3 of the g meter).
void StartLiveMonitor(DeviceLink& link, LiveNeedles& needles);

// Takes every whole record waiting into the start of the receive buffer, counting them; after
// the block's 256th record the leftover bytes follow. Returns the number of records taken.
int ReadLiveRecords(DeviceLink& link);

// One timer tick. It never waits for the port: it takes only what has arrived. When taken is
// given it receives the number of whole records this tick took, so the window can tell a
// recorder that has gone quiet.
LiveTickResult LiveMonitorTick(DeviceLink& link, LiveNeedles& needles, int* taken = nullptr);

}  // namespace orvale
