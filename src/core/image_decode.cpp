#include "core/image_decode.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/file_error.h"
#include "core/measured_rows.h"
#include "core/pressure_altitude.h"
#include "core/prompts.h"
#include "core/summary_pass.h"
#include "core/text_format.h"

namespace orvale {

namespace io = image_offset;

ImageBytes ReadImageFile(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        throw FileError(path + ": " + std::strerror(errno));
    ImageBytes bytes{};
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (got < bytes.size()) {
        if (std::ferror(file.get()))
            throw FileError(path + ": " + std::strerror(errno));
        throw FileError(path + ": not a flight: " + std::to_string(got) +
                        " bytes, a recorder image has 8192");
    }
    return bytes;
}

bool TrailerChecksumDiffers(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    std::array<uint8_t, kImageSize + 2> bytes{};
    // A file without a trailer (other tools may store the image alone) has nothing to check.
    if (!file || std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return false;
    const auto stored = static_cast<uint16_t>(bytes[io::kTrailer] | bytes[io::kTrailer + 1] << 8);
    return stored != ImageChecksum(bytes.data());
}

uint16_t ImageChecksum(const uint8_t* image) {
    uint32_t sum = 0;
    for (int i = 0; i < kImageSize; ++i)
        sum += image[i];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

void RewriteLeadFrames(uint8_t* b) {
    // Each assignment reads the bytes as they stand at that moment; the order makes every source
    // byte read before it is overwritten.
    static constexpr int kMoves[16][2] = {
        {31, 14}, {30, 24}, {29, 14}, {28, 23}, {27, 14}, {26, 22}, {25, 14}, {24, 21},
        {23, 14}, {22, 20}, {21, 14}, {20, 20}, {19, 14}, {18, 20}, {17, 14}, {16, 20}};
    for (const auto& m : kMoves)
        b[m[0]] = b[m[1]];
    b[15] = 255;
}

void DecodeHeader(AppState& state) {
    const uint8_t* b = state.image.data();
    FlightResults& r = state.results;
    const CalibrationData& cal = state.calibration;

    r.groundPressureReading = b[io::kLaunchPressure];
    const auto apogeeAt = [&](int pressureByte) {
        r.apogeePressureAltitude = PressureAltitude(cal, b[pressureByte], r.groundPressureReading);
        r.apogeePressureHeight = RoundToInt32(r.apogeePressureAltitude);
    };
    const auto mainApogee = [&] {
        apogeeAt(io::kMainPressure);
        r.apogeeTime = r.mainFireTime;
    };
    r.zeroGReading = static_cast<float>(b[16] + b[17] + b[18] + b[19]) / 4.0f;
    r.drogueFireTime = b[io::kDrogueSeconds] + b[io::kDrogueSixteenths] / 16.0f;
    r.mainFireTime = b[io::kMainSeconds] + b[io::kMainSixteenths] / 16.0f;
    mainApogee();

    const bool drogueMode = (b[io::kFlags] & 1) != 0;
    r.noDrogueFire = (b[io::kDrogueSeconds] & b[io::kDrogueSixteenths]) == 255;
    if (drogueMode) {
        apogeeAt(io::kDroguePressure);
        r.apogeeTime = r.drogueFireTime;
    }
    if (r.noDrogueFire) {
        mainApogee();
        state.summaryRows[SummaryRow::FlightMode] = kNoDrogueFireWarning;
    }
    r.deploymentLimit = RoundToInt32(r.apogeeTime * 16.0f);
    state.summaryRows.drogueRowVisible = drogueMode && !r.noDrogueFire;
}

namespace {

void FillSummaryRows(AppState& state) {
    const uint8_t* b = state.image.data();
    const FlightResults& r = state.results;
    const CalibrationData& cal = state.calibration;
    SummaryRows& rows = state.summaryRows;

    rows[SummaryRow::FileSize] = std::to_string(state.dataBytes + 20) + " bytes";
    rows[SummaryRow::FileDate] = state.flight.date;
    // The calibration whose values were used, which is the one the parameter file names only
    // when that file could be read.
    rows[SummaryRow::CalFile] = state.calibrationFilePath;
    rows[SummaryRow::LaunchPressure] = std::to_string(b[io::kLaunchPressure]);
    rows[SummaryRow::FlightMode] = (b[io::kFlags] & 1) ? "Drogue to Main Mode" : "Main Only";
    rows[SummaryRow::TavixPlus1G] = Fixed(b[io::kPlusOneG], 5, 4);

    SummaryFigures f;
    const float site = PressureAltitude(cal, r.groundPressureReading, std::trunc(cal.avgbp));
    f.launchSiteAltitude = site + cal.actalt;
    f.drogueTime = r.drogueFireTime;
    f.drogueHeight = PressureAltitude(cal, b[io::kDroguePressure], r.groundPressureReading);
    f.mainTime = r.mainFireTime;
    f.mainHeight = PressureAltitude(cal, b[io::kMainPressure], r.groundPressureReading);
    f.apogeeHeight = r.apogeePressureAltitude;
    f.apogeeTime = r.apogeeTime;
    f.maxInertialHeight = r.maxInertialHeight;
    f.maxInertialHeightTime = r.maxInertialHeightTime;
    f.maxSpeed = r.maxSpeed;
    f.maxSpeedTime = r.maxSpeedTime;
    f.maxAccel = r.maxAccel;
    f.maxAccelTime = r.maxAccelTime;
    f.minAccel = r.minAccel;
    f.minAccelTime = r.minAccelTime;
    rows.figures = f;
    WriteMeasuredRows(rows, state.settings.units);
}

void RebuildChannelList(AppState& state) {
    state.channelListCount = 0;
    for (int k = 0; k < kFileChannels; ++k) {
        ChannelDef& ch = state.channels[k];
        const std::string own = "Ch" + std::to_string(k + 1);
        state.twoByteSample[k] = false;
        if (state.recordedChannelMask & (1u << k)) {
            state.channelList[state.channelListCount++] = k;
            if (ch.formula.empty())
                ch.formula = own;
            state.frameOffset[k] = state.recordedChannelCount;
            ++state.recordedChannelCount;
        } else {
            if (ch.formula == own)
                ch.formula.clear();
            state.frameOffset[k] = 0;
        }
    }
}

}  // namespace

void ProcessImage(AppState& state, Prompts& prompts, bool read, bool show) {
    // The file is read in full before anything changes, so a short or unreadable file leaves
    // the previous flight intact.
    ImageBytes bytes{};
    if (read)
        bytes = ReadImageFile(state.imageFilePath);

    DataFileEntry& entry = state.current();
    state.samplesPerSecond = 16;
    state.recordedChannelCount = 0;
    state.frameRate = 0.0;

    if (read) {
        std::copy(bytes.begin(), bytes.end(), state.image.begin());
        DecodeHeader(state);
        ResetSummaryResults(state.results);
        RewriteLeadFrames(state.image.data());
        state.decimation = 1;
        state.headerSize = 16;
        state.dataBytes = 8176;
        state.firstSampleNumber = -4;
        state.recordedChannelMask = 3;
        state.loadedDataSize = 8;
        state.endOfFlightTime = 4088.0f;
        RunSummaryPass(state);
    }
    if (show)
        state.summaryRows[SummaryRow::FName] = FileNamePart(entry.dataFileName);

    RebuildChannelList(state);

    entry.sampleInterval = static_cast<double>(state.decimation) / state.samplesPerSecond;
    state.frameRate =
        entry.sampleInterval > 0.0 ? state.recordedChannelCount / entry.sampleInterval : 0.0;

    if (read) {
        const int32_t perFrame = state.recordedChannelCount > 0 ? state.recordedChannelCount : 1;
        state.samplesPerChannel = state.dataBytes / perFrame * state.decimation;
        entry.duration = static_cast<double>(state.samplesPerChannel) / state.samplesPerSecond;
        state.firstSampleNumber = -4;
        entry.startTime = -4.0 / state.samplesPerSecond;
        if (show)
            FillSummaryRows(state);
    }
    if (show)
        prompts.ShowSummaryDialog(state);
}

}  // namespace orvale
