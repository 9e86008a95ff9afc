// What every fuzz target checks of the program's output: texts are valid UTF-8, numbers that the
// command-line tool would write as JSON are finite, and shown texts never read "inf" or "nan".
// A violation prints what was wrong and aborts, so libFuzzer keeps the input as a reproducer.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

#include "core/app_state.h"
#include "core/summary_rows.h"

namespace orvale::fuzz {

[[noreturn]] inline void Fail(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "fuzz check failed: %.*s: %.*s\n", static_cast<int>(what.size()),
                 what.data(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut short.
inline bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            lo = c == 0xE0 ? 0xA0 : 0x80;
            hi = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            lo = c == 0xF0 ? 0x90 : 0x80;
            hi = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + n >= s.size())
            return false;
        for (size_t k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if (d < (k == 1 ? lo : 0x80) || d > (k == 1 ? hi : 0xBF))
                return false;
        }
        i += n + 1;
    }
    return true;
}

inline void CheckText(std::string_view what, std::string_view text) {
    if (!IsValidUtf8(text))
        Fail(what, "not valid UTF-8");
}

// A shown number: valid UTF-8 and no "inf" or "nan" spelled by the number formatting.
inline void CheckShownNumber(std::string_view what, std::string_view text) {
    CheckText(what, text);
    for (std::string_view bad : {"inf", "nan", "INF", "NAN"})
        if (text.find(bad) != std::string_view::npos)
            Fail(what, text);
}

inline void CheckFinite(std::string_view what, double value) {
    if (!std::isfinite(value))
        Fail(what, "not finite");
}

// The texts a flight's parameters put on screen and into JSON.
inline void CheckFlightTexts(const AppState& state) {
    const FlightParameters& f = state.flight;
    for (const std::string* s : {&f.note, &f.location, &f.weather, &f.model, &f.motor, &f.date,
                                 &f.time, &f.calibrationFile})
        CheckText("flight text", *s);
    for (const ChannelDef& ch : state.channels) {
        CheckText("channel title", ch.title);
        CheckText("channel formula", ch.formula);
    }
}

// The summary rows and every result the summary JSON carries.
inline void CheckSummary(const AppState& state) {
    for (int i = 0; i < kSummaryRowCount; ++i) {
        // The file date, name and calibration rows are texts, the others numbers.
        const auto row = static_cast<SummaryRow>(i);
        if (row == SummaryRow::FName || row == SummaryRow::FileDate || row == SummaryRow::CalFile)
            CheckText(kSummaryRowInfo[i].name, state.summaryRows.text[i]);
        else
            CheckShownNumber(kSummaryRowInfo[i].name, state.summaryRows.text[i]);
    }
    const FlightResults& r = state.results;
    for (float v : {r.groundPressureReading, r.zeroGReading, r.drogueFireTime, r.mainFireTime,
                    r.apogeeTime, r.maxInertialHeight, r.maxInertialHeightTime, r.maxSpeed,
                    r.maxSpeedTime, r.maxAccel, r.maxAccelTime, r.minAccel, r.minAccelTime,
                    r.deploymentDetectedTime, state.endOfFlightTime})
        CheckFinite("summary result", v);
}

// A private folder for the files a target writes, removed at exit.
inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code ec;
        auto base = std::filesystem::temp_directory_path(ec);
        if (ec)
            base = "/tmp";
        auto dir = base / ("orvale-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchFolder(), ignored);
        });
        return dir;
    }();
    return folder;
}

inline void WriteBytes(const std::filesystem::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace orvale::fuzz
