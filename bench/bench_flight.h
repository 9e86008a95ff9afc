// What the benchmarks open: the first sample flight, found from wherever they are run, and the
// twelve channel formulas that exercise every kind of formula term the graph meets.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvale::bench {

inline std::string SampleFlight() {
    for (auto dir = std::filesystem::current_path(); !dir.empty(); dir = dir.parent_path()) {
        if (std::filesystem::exists(dir / "samples" / "FLT-001.DAT"))
            return (dir / "samples" / "FLT-001.DAT").string();
        if (dir == dir.parent_path())
            break;
    }
    return "samples/FLT-001.DAT";
}

inline const std::vector<std::string> kTwelveFormulas{
    "ch1",         "ch2",        "int(ch1)*32.17",    "int(int(ch1))*32.17",
    "dif(ch2)",    "ch2*0.3048", "(ch1-1)^2",         "sin(x)*ch1",
    "exp(ch1/10)", "ln(ch2+1)",  "abs(ch1)+atn(ch1)", "hst 100,ch2"};

}  // namespace orvale::bench
