// The rows of the "Summary of flight" dialog as data, so the dialog, the command-line tool and
// the graph (which marks the drogue only while its row is visible) share one truth.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace orvale {

enum class SummaryRow {
    FName,
    FileSize,
    FileDate,
    CalFile,
    LaunchAlt,
    LaunchPressure,
    TavixPlus1G,
    FlightMode,
    DrogueFireTime,
    MainFireTime,
    MaxPressureAlt,
    MaxInertialAlt,
    MaxVelocity,
    MaxAccel,
    MinAccel,
};
constexpr int kSummaryRowCount = 15;

struct SummaryRowInfo {
    const char* caption;  // right-aligned caption in the dialog
    const char* name;     // the value label's name
    const char* initial;  // what the label shows before its first fill
};

inline constexpr std::array<SummaryRowInfo, kSummaryRowCount> kSummaryRowInfo{{
    {"File Name:", "FName", "FName"},
    {"File Size:", "FileSize", "FileSize"},
    {"File Date:", "FileDate", "FileDate"},
    {"Calibration File:", "CalFile", "CalFile"},
    {"Launch Site Altitude:", "LaunchAlt", "LaunchAlt"},
    {"Launch Site Pressure:", "LaunchPressure", "LaunchPressure"},
    {"Tavix Plus One Gee:", "TavixPlus1G", "TavixPlus1G"},
    {"Flight Mode:", "FlightMode", "FlightMode"},
    {"Drogue Fired at:", "DrogueFireTime", "DrogueFireTime"},
    {"Main Fired at:", "MainFireTime", "MainFireTime"},
    {"Max Pressure Altitude:", "MaxPressureAlt", "MaxPressureAlt"},
    {"Max Inertial Altitude:", "MaxInertialAlt", "MaxInertialAlt"},
    {"Maximum Velocity:", "MaxVelocity", "MaxVelocity"},
    {"Maximum Acceleration:", "MaxAccel", "MaxAccel"},
    {"Minimum Acceleration:", "MinAccel", "MnAcc"},
}};

// The values behind the rows that carry a unit, as computed (feet, ft/sec, g, seconds). They are
// kept with the rows so that a change of units writes the same rows again without reading the
// flight again.
struct SummaryFigures {
    float launchSiteAltitude = 0.0f;
    float drogueTime = 0.0f;
    float drogueHeight = 0.0f;  // above the site, by pressure
    float mainTime = 0.0f;
    float mainHeight = 0.0f;
    float apogeeHeight = 0.0f;  // by pressure, before it is rounded
    float apogeeTime = 0.0f;
    float maxInertialHeight = 0.0f;
    float maxInertialHeightTime = 0.0f;
    float maxSpeed = 0.0f;
    float maxSpeedTime = 0.0f;
    float maxAccel = 0.0f;  // g
    float maxAccelTime = 0.0f;
    float minAccel = 0.0f;
    float minAccelTime = 0.0f;
};

struct SummaryRows {
    std::array<std::string, kSummaryRowCount> text = [] {
        std::array<std::string, kSummaryRowCount> t;
        for (int i = 0; i < kSummaryRowCount; ++i)
            t[i] = kSummaryRowInfo[i].initial;
        return t;
    }();
    bool drogueRowVisible = true;
    std::optional<SummaryFigures> figures;  // none until the rows of a flight are filled

    std::string& operator[](SummaryRow r) { return text[static_cast<int>(r)]; }
    const std::string& operator[](SummaryRow r) const { return text[static_cast<int>(r)]; }
};

}  // namespace orvale
