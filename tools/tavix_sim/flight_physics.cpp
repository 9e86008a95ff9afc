#include "flight_physics.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "atmosphere.h"
#include "rocket_model.h"

namespace tavix {

namespace {

constexpr int kStepsPerFrame = 64;  // 1024 steps a second
constexpr double kStep = 1.0 / (kFramesPerSecond * kStepsPerFrame);
constexpr double kGiveUpTime = 3600.0;

constexpr double kTumbleStartS = 1.0;
constexpr double kDrogueFillS = 0.5;
constexpr double kMainFillS = 1.0;
constexpr double kDrogueKickG = 5.0;
constexpr double kMainKickG = 6.0;
constexpr double kKickRiseS = 0.08;
constexpr double kLandingStopS = 0.1;
constexpr double kLandingRiseS = 0.03;
constexpr double kLandingKickLimitG = 12.0;

// A short shake on the accelerometer: an ejection charge and the snatch of the shock cord, or the
// rocket hitting the ground. The rocket as a whole barely moves from it, so the flight path ignores
// it.
struct Kick {
    double start;
    double peakG;
    double riseS;

    double At(double t) const {
        const double x = (t - start) / riseS;
        if (x <= 0.0 || x > 12.0)
            return 0.0;
        return peakG * x * std::exp(1.0 - x);
    }
};

enum class Phase { OnPad, Flying, Landed };

class FlightRun {
public:
    explicit FlightRun(const FlightSpec& spec) : spec_(spec), rocket_(spec) {
        track_.heightFt.resize(kFrameCount);
        track_.axialForceG.resize(kFrameCount);
    }

    FlightTrack Run();

private:
    void AtFrame(int frame, double t);
    void Step(double t);
    void Deploy(double t, double area, double fillS, double kickG);

    const FlightSpec& spec_;
    RocketModel rocket_;
    FlightTrack track_;
    std::vector<Kick> kicks_;
    Phase phase_ = Phase::OnPad;
    double height_ = 0.0;
    double speed_ = 0.0;
    bool pastApogee_ = false;
    int apogeeFrame_ = -1;  // where the recorder called apogee
};

FlightTrack FlightRun::Run() {
    for (long i = 0;; ++i) {
        const double t = FrameTime(0) + static_cast<double>(i) * kStep;
        if (i % kStepsPerFrame == 0) {
            const long frame = i / kStepsPerFrame;
            if (frame < kFrameCount)
                AtFrame(static_cast<int>(frame), t);
            if (frame >= kFrameCount && track_.mainFrame < 0) {
                throw std::invalid_argument(
                    "the main would fire after the recorder's memory is full");
            }
            if (frame >= kFrameCount && phase_ == Phase::Landed)
                break;
        }
        if (phase_ == Phase::OnPad && t > rocket_.LastBurnEnd()) {
            throw std::invalid_argument("the motor is too weak to lift the rocket");
        }
        if (t > kGiveUpTime)
            throw std::invalid_argument("the rocket does not land within an hour");
        Step(t);
    }
    return track_;
}

void FlightRun::AtFrame(int frame, double t) {
    if (phase_ == Phase::Flying) {
        const bool drogueMode = spec_.drogueToMain;
        if (apogeeFrame_ < 0 && t > rocket_.LastBurnEnd() &&
            track_.truth.apogeeFt - height_ >= spec_.recorder.apogeeDropFt) {
            apogeeFrame_ = frame;
            if (!drogueMode) {
                track_.mainFrame = frame;
                Deploy(t, rocket_.DescentDragArea(spec_.mainDescentFtS), kMainFillS, kMainKickG);
            } else if (!spec_.noDrogueFire) {
                track_.drogueFrame = frame;
                Deploy(t, rocket_.DescentDragArea(spec_.drogueDescentFtS), kDrogueFillS,
                       kDrogueKickG);
            }
        } else if (drogueMode && apogeeFrame_ >= 0 && track_.mainFrame < 0 &&
                   height_ <= spec_.mainAltitudeFt) {
            track_.mainFrame = frame;
            Deploy(t, rocket_.DescentDragArea(spec_.mainDescentFtS), kMainFillS, kMainKickG);
        }
    }
    double force = 1.0;  // standing on the pad or the ground
    if (phase_ == Phase::Flying)
        force = rocket_.AxialForceG(t, height_, speed_);
    for (const Kick& kick : kicks_)
        force += kick.At(t);
    track_.heightFt[frame] = height_;
    track_.axialForceG[frame] = force;
}

void FlightRun::Deploy(double t, double area, double fillS, double kickG) {
    rocket_.ChangeDrag(t, area, fillS);
    kicks_.push_back({t, kickG, kKickRiseS});
}

void FlightRun::Step(double t) {
    FlightTruth& truth = track_.truth;
    if (phase_ == Phase::OnPad && rocket_.Thrust(t) > rocket_.WeightLb(t))
        phase_ = Phase::Flying;
    if (phase_ != Phase::Flying)
        return;

    const double h = height_;
    const double v = speed_;
    const double half = 0.5 * kStep;
    const double a1 = rocket_.Acceleration(t, h, v);
    const double a2 = rocket_.Acceleration(t + half, h + half * v, v + half * a1);
    const double v2 = v + half * a1;
    const double a3 = rocket_.Acceleration(t + half, h + half * v2, v + half * a2);
    const double v3 = v + half * a2;
    const double a4 = rocket_.Acceleration(t + kStep, h + kStep * v3, v + kStep * a3);
    const double v4 = v + kStep * a3;
    height_ = h + kStep / 6.0 * (v + 2.0 * v2 + 2.0 * v3 + v4);
    speed_ = v + kStep / 6.0 * (a1 + 2.0 * a2 + 2.0 * a3 + a4);
    const double now = t + kStep;

    if (!pastApogee_) {
        if (height_ > truth.apogeeFt) {
            truth.apogeeFt = height_;
            truth.apogeeTime = now;
        }
        if (speed_ > truth.maxSpeedFtS) {
            truth.maxSpeedFtS = speed_;
            truth.maxSpeedTime = now;
        }
        truth.maxAccelG = std::max(truth.maxAccelG, a1 / kGravityFtS2);
        if (speed_ <= 0.0 && t > rocket_.LastBurnEnd()) {
            pastApogee_ = true;
            // With no parachute out yet the airframe turns over and falls broadside.
            rocket_.ChangeDrag(now, rocket_.DescentDragArea(spec_.tumbleDescentFtS), kTumbleStartS);
        }
    }
    if (height_ <= 0.0) {
        if (!pastApogee_) {
            throw std::invalid_argument("the rocket falls back before its motors have burnt");
        }
        const double landing = t + kStep * h / (h - height_);
        truth.landingTime = landing;
        const double stopG = -speed_ / kGravityFtS2 / kLandingStopS;
        kicks_.push_back({landing, std::min(stopG, kLandingKickLimitG), kLandingRiseS});
        height_ = 0.0;
        speed_ = 0.0;
        phase_ = Phase::Landed;
    }
}

}  // namespace

FlightTrack FlyRocket(const FlightSpec& spec) {
    FlightTrack track = FlightRun(spec).Run();
    if (track.drogueFrame >= 0)
        track.truth.drogueFireTime = FrameTime(track.drogueFrame);
    track.truth.mainFireTime = FrameTime(track.mainFrame);
    return track;
}

}  // namespace tavix
