// The rows of the "Summary of flight" dialog as data, so the dialog, the command-line tool and
// the graph (which marks the drogue only while its row is visible) share one truth.
#pragma once

#include <array>
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

struct SummaryRows {
    std::array<std::string, kSummaryRowCount> text = [] {
        std::array<std::string, kSummaryRowCount> t;
        for (int i = 0; i < kSummaryRowCount; ++i)
            t[i] = kSummaryRowInfo[i].initial;
        return t;
    }();
    bool drogueRowVisible = true;

    std::string& operator[](SummaryRow r) { return text[static_cast<int>(r)]; }
    const std::string& operator[](SummaryRow r) const { return text[static_cast<int>(r)]; }
};

}  // namespace orvale
