#include "recorder_image.h"

#include <algorithm>
#include <cmath>

#include "atmosphere.h"
#include "sensor_noise.h"

namespace tavix {

namespace {

constexpr int kDrogueSeconds = 4;
constexpr int kDroguePressure = 7;
constexpr int kMainSeconds = 8;
constexpr int kMainPressure = 11;
constexpr int kFlags = 12;
constexpr int kSitePressure = 13;
constexpr int kLeadPressure = 14;
constexpr int kRestAccel = 16;
constexpr int kPadAccel = 20;
constexpr int kFirstFlightAccel = 21;
constexpr int kFirstStoredFrame = 8;  // the frames before it live in the header
constexpr uint8_t kNotFired = 255;
constexpr uint8_t kDrogueToMainFlag = 0x01;

int FrameOffset(int frame) {
    return 16 + 2 * frame;
}

uint8_t Digitise(double value) {
    return static_cast<uint8_t>(std::clamp(std::nearbyint(value), 1.0, 255.0));
}

class Sensors {
public:
    explicit Sensors(const FlightSpec& spec)
        : recorder_(spec.recorder),
          noise_(spec.seed, spec.recorder.noiseSigma),
          siteReading_(SiteReading(spec.recorder, spec.siteElevationFt)) {}

    int SiteReadingValue() const { return siteReading_; }

    uint8_t Pressure(double heightFt) {
        const double site = siteReading_ * recorder_.pressureGain + recorder_.pressureOffset;
        const double pressure = site * PressureRatio(heightFt);
        return Digitise((pressure - recorder_.pressureOffset) / recorder_.pressureGain +
                        noise_.Next());
    }

    uint8_t Acceleration(double axialForceG) {
        return Digitise(recorder_.zeroGReading + (axialForceG - 1.0) * recorder_.readingsPerG +
                        noise_.Next());
    }

private:
    const RecorderModel& recorder_;
    SensorNoise noise_;
    int siteReading_;
};

// Header event time: whole seconds and sixteenths after launch.
void PutTime(std::vector<uint8_t>& image, int at, int frame) {
    const int sixteenths = frame - kLaunchFrame;
    image[at] = static_cast<uint8_t>(sixteenths / kFramesPerSecond);
    image[at + 1] = static_cast<uint8_t>(sixteenths % kFramesPerSecond);
}

uint8_t StoredPressure(const std::vector<uint8_t>& image, int frame) {
    if (frame < kFirstStoredFrame)
        return image[kLeadPressure];
    return image[FrameOffset(frame) + 1];
}

}  // namespace

int SiteReading(const RecorderModel& recorder, double siteElevationFt) {
    const double seaLevel =
        recorder.seaLevelReading * recorder.pressureGain + recorder.pressureOffset;
    const double site = seaLevel * PressureRatio(siteElevationFt);
    return Digitise((site - recorder.pressureOffset) / recorder.pressureGain);
}

uint16_t ImageChecksum(const uint8_t* image) {
    unsigned sum = 0;
    for (int i = 0; i < kImageSize; ++i)
        sum += image[i];
    return static_cast<uint16_t>(sum & 0xFFFFu);
}

std::vector<uint8_t> RecordImage(const FlightSpec& spec, const FlightTrack& track) {
    std::vector<uint8_t> image(kFileSize, 0);
    Sensors sensors(spec);

    // The recorder's memory starts with its identification, "TVX" and a firmware letter. A
    // download skips bytes below 25 that come before the image, so the first byte never is.
    const char kIdentification[4] = {'T', 'V', 'X', '1'};
    std::copy(kIdentification, kIdentification + 4, image.begin());

    // Readings taken while the rocket waits on the pad.
    for (int i = 0; i < 4; ++i)
        image[kRestAccel + i] = sensors.Acceleration(1.0);
    image[kPadAccel] = sensors.Acceleration(1.0);
    image[kSitePressure] = static_cast<uint8_t>(sensors.SiteReadingValue());
    image[kLeadPressure] = sensors.Pressure(0.0);

    // The recorder's launch trigger saves the first frames' accelerations in the header; it
    // has no room for their pressures and repeats the pad reading instead.
    for (int frame = kLaunchFrame; frame < kFirstStoredFrame; ++frame) {
        image[kFirstFlightAccel + frame - kLaunchFrame] =
            sensors.Acceleration(track.axialForceG[frame]);
    }
    for (int frame = kFirstStoredFrame; frame < kFrameCount; ++frame) {
        image[FrameOffset(frame)] = sensors.Acceleration(track.axialForceG[frame]);
        image[FrameOffset(frame) + 1] = sensors.Pressure(track.heightFt[frame]);
    }

    image[kFlags] = spec.drogueToMain ? kDrogueToMainFlag : 0;
    image[kDrogueSeconds] = image[kDrogueSeconds + 1] = kNotFired;
    if (track.drogueFrame >= 0) {
        PutTime(image, kDrogueSeconds, track.drogueFrame);
        image[kDroguePressure] = StoredPressure(image, track.drogueFrame);
    }
    PutTime(image, kMainSeconds, track.mainFrame);
    image[kMainPressure] = StoredPressure(image, track.mainFrame);

    const uint16_t checksum = ImageChecksum(image.data());
    image[kImageSize] = static_cast<uint8_t>(checksum & 0xFF);
    image[kImageSize + 1] = static_cast<uint8_t>(checksum >> 8);
    return image;
}

}  // namespace tavix
