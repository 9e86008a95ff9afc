// The program-wide state: everything Orvale knows about the current flight, the channel
// definitions, the recorder's memory image and the decoded results. One instance lives for the
// whole run and is passed by reference to the procedures that act on it.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "core/device_state.h"
#include "core/error_messages.h"
#include "core/formula_state.h"
#include "core/multi_graph_choice.h"
#include "core/summary_rows.h"
#include "core/units.h"

namespace orvale {

constexpr int kEntryCount = 14;    // entry 0 is the loaded flight, 1..13 graph series entries
constexpr int kChannelSlots = 13;  // channels 1..12 in slots 0..11, slot 12 holds the defaults
constexpr int kFileChannels = 12;  // channels kept in the parameter file and examined by decoding
constexpr int kImageSize = 8192;   // the recorder's memory
constexpr int kImageBufferSize = 8202;
constexpr int kPageBufferSize = 8201;
constexpr int kMaxSeriesPoints = 4097;

// Length limits of texts held in records; longer values are cut, never rejected.
constexpr int kNameLimit = 80;
constexpr int kFormulaLimit = 128;
constexpr int kDateTimeLimit = 12;
constexpr int kShortNameLimit = 8;
constexpr int kDirectoryLimit = 255;
// Paths of files (data, image, calibration) share the working directory's limit: folders on
// this platform are often deeper than 80 characters, and a cut path finds no file.
constexpr int kPathLimit = 255;

inline const char kNoFile[] = "None";
inline const char kCaptureName[] = "Capture";
inline const char kDefaultParFile[] = "DEFAULT.PAR";
inline const char kScratchImageFile[] = "RAMFILE.TMP";

struct DataFileEntry {
    bool inUse = false;
    std::string dataFileName = kNoFile;
    std::string parameterFileName = kDefaultParFile;
    int32_t channelSlot = 0;
    double graphStart = 0.0;
    double graphLength = 0.1;
    int32_t entryNumber = 0;
    int32_t upperPercent = 100;
    int32_t lowerPercent = 0;
    double duration = 0.0;
    double startTime = 0.0;
    double sampleInterval = 0.05;
};

struct FlightParameters {
    std::string note;
    std::string location = "Unknown";
    int32_t launchElevation = 0;
    std::string weather = "Unknown";
    std::string model = "Unknown";
    std::string motor = "Unknown";
    int32_t stages = 1;
    int32_t launchWeight = 0;
    int32_t recoveredWeight = 0;
    int32_t expectedAltitude = 0;
    std::string date;
    std::string time;
    std::string calibrationFile;
};

struct ChannelDef {
    std::string title;
    std::string formula;
    float minReading = 0.0f;
    float maxReading = 4095.0f;
    int32_t filter = 2;
    int32_t colourIndex = 0;
    bool selected = false;
};

// Smoothing weight of the new value for each filter level 0..3.
struct FilterLevel {
    const char* name;
    float k;
};
inline constexpr std::array<FilterLevel, 4> kFilterLevels{
    {{"None", 1.0f}, {"Light", 0.7f}, {"Medium", 0.5f}, {"Heavy", 0.2f}}};

// A level outside 0..3 (a hand-edited parameter file) uses the nearest valid one.
inline float FilterCoefficient(int32_t level) {
    if (level < 0)
        level = 0;
    if (level > 3)
        level = 3;
    return kFilterLevels[static_cast<size_t>(level)].k;
}

// Seventeen calibration values, in the order and with the keys of the calibration file.
struct CalibrationData {
    float actalt = 0.0f;
    float actbp = 0.0f;
    float avgbp = 0.0f;
    float stdbp = 0.0f;
    float offbp = 0.0f;
    float gainbp = 0.0f;
    float avgMinus1g = 0.0f;
    float stdMinus1g = 0.0f;
    float fid0 = 0.0f;
    float avg0g = 0.0f;
    float std0g = 0.0f;
    float fid1 = 0.0f;
    float avgPlus1g = 0.0f;
    float stdPlus1g = 0.0f;
    float dodg = 0.0f;
    float y0 = 0.0f;
    float ccoff = 0.0f;
};

struct ChannelSamples {
    uint8_t seriesMode = 0;  // kSeriesPlain, kSeriesPowerOfTwo, kSeriesIntegral, kSeriesHistogram
    bool powerSpectrum = false;  // kSeriesPowerOfTwo from PSD( (density), not FFT( (amplitude)
    std::vector<float> x;
    std::vector<float> y;
    int32_t pointCount = 0;  // index of the last point: the series is points 0..pointCount
    double minReading = 0.0;
    double maxReading = 0.0;
    std::string title;
};

struct WindowBounds {
    int32_t top = 35;
    int32_t left = 50;
    int32_t height = 375;
    int32_t width = 550;
};

// Values kept in the settings file.
struct Settings {
    WindowBounds mainWindow;  // kept up to date by the main window
    int32_t port = 1;
    int32_t baud = 9600;
    bool gridOn = true;
    std::string textFont = "Arial";
    int32_t textAttrib = 0;
    int32_t textSize = 9;
    std::string scaleTextFont = "Arial";
    int32_t scaleTextAttrib = 1;
    int32_t scaleTextSize = 9;
    std::string calloutTextFont = "Arial";
    int32_t calloutTextAttrib = 0;
    int32_t calloutTextSize = 9;
    std::string titleTextFont = "Arial";
    int32_t titleTextAttrib = 1;
    int32_t titleTextSize = 9;
    int32_t backgroundColor = 15;
    int32_t channelTitleLength = 4;
    int32_t pageBackgroundColor = 15;
    bool showCallouts = false;
    int32_t graphTop = 0;
    int32_t graphLeft = 0;
    int32_t graphHeight = 480;
    int32_t graphWidth = 640;
    bool refCircleOn = false;
    bool scatterPlotOn = false;
    bool askStartLength = true;
    MultiGraphChoice multiGraph;
    Units units = Units::Feet;  // of the summary, the live altimeter and the logbook
};

// Header values decoded from the image and the results of the summary pass.
struct FlightResults {
    float groundPressureReading = 0.0f;
    float zeroGReading = 0.0f;
    float drogueFireTime = 0.0f;
    float mainFireTime = 0.0f;
    int32_t apogeePressureHeight = 0;
    float apogeePressureAltitude = 0.0f;  // the same before it is rounded
    float apogeeTime = 0.0f;
    int32_t deploymentLimit = 0;
    bool noDrogueFire = false;

    float maxInertialHeight = 0.0f;
    float maxInertialHeightTime = 0.0f;
    float maxSpeed = 0.0f;
    float maxSpeedTime = 0.0f;
    float maxAccel = 0.0f;
    float maxAccelTime = 0.0f;
    float minAccel = 0.0f;
    float minAccelTime = 0.0f;
    float deploymentDetectedTime = -1.0f;
};

struct AppState {
    // Paths and files
    std::string programDirectory;
    std::string workingDirectory;
    std::string settingsFile;
    std::string calibrationFilePath;
    std::string imageFilePath;
    std::string captureFileName;
    std::string defaultDataFileName;
    std::string backgroundPictureName;
    bool showBackground = false;
    // Remembered by the open dialog while the program runs, not saved.
    std::string lastDataFilePath;
    std::string lastParameterFilePath;
    std::string lastOpenProposal;
    // The data-file name the entry had before the last download began.
    std::string previousDataFileName;

    // Data-file table
    std::array<DataFileEntry, kEntryCount> entries{};
    uint16_t currentEntry = 0;
    DataFileEntry& current() { return entries[currentEntry]; }
    const DataFileEntry& current() const { return entries[currentEntry]; }

    // Flight description and channels
    FlightParameters flight;
    std::array<ChannelDef, kChannelSlots> channels{};
    uint32_t recordedChannelMask = 0;
    int32_t recordedChannelCount = 0;
    std::array<int32_t, kChannelSlots> channelList{};
    int32_t channelListCount = 0;
    std::array<int32_t, kChannelSlots> frameOffset{};
    std::array<bool, kChannelSlots> twoByteSample{};
    std::array<bool, kChannelSlots> graphChannel{};

    // Buffers
    std::vector<uint8_t> image;  // kImageBufferSize bytes once initialised
    std::vector<uint8_t> page;   // kPageBufferSize bytes once initialised
    std::array<ChannelSamples, kChannelSlots> series{};

    // Timing of the loaded flight
    int32_t samplesPerSecond = 0;
    uint16_t decimation = 0;
    int32_t headerSize = 0;
    int32_t dataBytes = 0;
    int32_t samplesPerChannel = 0;
    int32_t firstSampleNumber = 0;
    double frameRate = 0.0;
    int32_t loadedDataSize = 0;  // kilobytes; 0 means no flight is loaded
    float endOfFlightTime = 0.0f;

    FlightResults results;
    CalibrationData calibration;
    Settings settings;

    std::time_t startDateTime = 0;
    std::string versionText;
    std::string programTitle;

    uint16_t summaryDialogResult = 0;  // 1 after OK, 2 after Cancel
    SummaryRows summaryRows;

    ErrorMessages errorMessages;

    int32_t windowLengthSamples = 0;
    double pointStep = 0.0;

    FormulaState formula;
    DeviceState device;
};

}  // namespace orvale
