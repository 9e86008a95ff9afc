// The Tavix recorder's side of the serial protocol, without the line: commands in, paced reply
// bytes out. Time is given in seconds by the caller, so the tests can drive it directly.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "sensor_stream.h"
#include "serve_options.h"

namespace tavix {

class RecorderEmulator {
public:
    // file: the data file the recorder holds, 8192 image bytes, usually followed by the 4-byte
    // trailer it sends after them (made from the image when the file has none).
    RecorderEmulator(const ServeOptions& options, const std::vector<uint8_t>& file);

    // Bytes the program sent, arriving at time now.
    void Receive(const uint8_t* data, size_t count, double now);
    // Reply bytes whose transmission has ended by now, in order; they leave the queue.
    std::vector<uint8_t> TakeDue(double now);
    // When the next queued byte is due; a negative value when nothing is queued.
    double NextDue() const;
    // The commands recognised since the last call, each "<time> <command> <what it does>".
    std::vector<std::string> TakeLog();

    // The bytes a "/R" is answered with, as the options make them.
    std::vector<uint8_t> ReadReply() const;

private:
    void Command(char letter, double now);
    void Queue(const std::vector<uint8_t>& bytes, double start);
    void Log(double now, const std::string& text);

    ServeOptions options_;
    std::vector<uint8_t> image_;
    std::vector<uint8_t> trailer_;
    SensorStream sensors_;
    double byteTime_;
    std::deque<std::pair<uint8_t, double>> queue_;
    double lineFreeAt_ = 0.0;
    enum class Expect { Slash, Letter, SecondC } expect_ = Expect::Slash;
    std::vector<std::string> log_;
};

}  // namespace tavix
