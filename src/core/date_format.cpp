#include "core/date_format.h"

#include <cstdio>

namespace orvale {

namespace {

std::tm LocalTime(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

std::string Strftime(const char* format, std::time_t t) {
    std::tm tm = LocalTime(t);
    char buf[64];
    size_t n = std::strftime(buf, sizeof buf, format, &tm);
    return std::string(buf, n);
}

}  // namespace

std::string FormatProgramDate(std::time_t t) {
    std::tm tm = LocalTime(t);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900);
    return buf;
}

std::string FormatProgramTime(std::time_t t) {
    std::tm tm = LocalTime(t);
    int hour = tm.tm_hour % 12;
    if (hour == 0)
        hour = 12;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d %s", hour, tm.tm_min, tm.tm_hour < 12 ? "AM" : "PM");
    return buf;
}

std::string FormatSystemDate(std::time_t t) {
    return Strftime("%x", t);
}
std::string FormatSystemTime(std::time_t t) {
    return Strftime("%X", t);
}

}  // namespace orvale
