#include "core/program_state.h"

#include <cmath>

#include "core/date_format.h"
#include "core/text_format.h"

namespace orvale {

namespace {

void SetChannelDefaults(AppState& state) {
    for (int slot = 0; slot < kChannelSlots; ++slot) {
        state.channelList[slot] = slot;
        state.frameOffset[slot] = 0;
        state.twoByteSample[slot] = false;
        state.graphChannel[slot] = false;
        state.channels[slot] = ChannelDef{};
        state.channels[slot].colourIndex = slot;
    }
    struct Default {
        const char* title;
        const char* formula;
        int32_t filter;
    };
    const Default defaults[3] = {{"Acceleration (g)", "ch1", 0},
                                 {"Pressure Altitude (ft)", "ch2", 2},
                                 {"Speed (ft/sec)", "int(ch1)*32.17", 1}};
    for (int slot = 0; slot < 3; ++slot) {
        state.channels[slot].title = defaults[slot].title;
        state.channels[slot].formula = defaults[slot].formula;
        state.channels[slot].filter = defaults[slot].filter;
        state.channels[slot].selected = true;
    }
}

}  // namespace

void SetProgramDefaults(AppState& state, std::time_t now) {
    state.startDateTime = now;

    state.image.assign(kImageBufferSize, 0);
    state.page.assign(kPageBufferSize, 0);
    for (auto& s : state.series)
        s = ChannelSamples{};

    for (int i = 0; i < kEntryCount; ++i) {
        state.entries[i] = DataFileEntry{};
        state.entries[i].entryNumber = i;
    }
    const DataFileEntry& last = state.entries[kEntryCount - 1];
    state.windowLengthSamples = RoundToInt32(last.graphLength / last.sampleInterval);
    state.currentEntry = 0;

    state.decimation = 0;
    state.imageFilePath = "TEMPFILE.TMP";

    state.pointStep = 2.0;
    state.recordedChannelCount = 2;
    state.channelListCount = 2;
    SetChannelDefaults(state);

    state.flight = FlightParameters{};
    state.flight.date = CutText(FormatSystemDate(now), kDateTimeLimit);
    state.flight.time = CutText(FormatSystemTime(now), kDateTimeLimit);

    state.calibration = CalibrationData{};
    state.calibration.avgbp = 210.0f;
    state.calibration.gainbp = 1.0f;
    state.calibration.offbp = 23.3f;
    state.calibration.dodg = 3.4588f;

    state.captureFileName = kNoFile;
    state.loadedDataSize = 0;
    state.recordedChannelMask = 3;

    state.versionText = kVersionText;
    state.programTitle =
        CutText(std::string(kCompanyName) + " " + kProductName + " v" + state.versionText, 30);

    state.samplesPerSecond = 16;
    state.defaultDataFileName = "Flt-001";
    state.backgroundPictureName = "BACKGND";
    state.showBackground = false;
    state.settings = Settings{};
    state.results = FlightResults{};
    state.summaryRows = SummaryRows{};
    state.errorMessages = ErrorMessages{};
}

}  // namespace orvale
