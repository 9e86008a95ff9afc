// The serve subcommand's options: which image the emulated recorder holds and how it misbehaves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sensor_script.h"

namespace tavix {

struct ServeOptions {
    std::string imagePath;
    std::string linkPath;  // a symbolic link to the pseudo-terminal, when given
    int baud = 9600;       // paces every reply at 10 bits a byte
    int junk = 0;          // bytes below 25 sent before the image
    bool silent = false;   // reads commands, answers none
    bool badChecksum = false;
    bool noTrailer = false;
    int dropAfter = -1;      // stop the image after this many bytes; -1 sends it whole
    std::string logPath;     // command log; standard error when empty
    int clearMs = 1000;      // the recorder erasing its memory before it answers "/CC"
    double gee = 1.0;        // the resting recorder's attitude: 1 upright, 0 flat, -1 upside down
    double pressure = -1.0;  // the raw pressure reading for "/T"; negative: sea level
    double noise = 0.3;      // sensor noise, standard deviation in readings
    uint32_t seed = 1;       // sensor noise
    // Changes of attitude and pressure over time or per "/T" block (--sensor-script FILE, read
    // by the serve command).
    std::string sensorScriptPath;
    std::vector<SensorChange> sensorScript;
};

struct ServeArgs {
    ServeOptions options;
    bool help = false;
    std::string error;  // empty when the options are good
};

extern const char kServeOptionsHelp[];

ServeArgs ParseServeArgs(const std::vector<std::string>& args);

}  // namespace tavix
