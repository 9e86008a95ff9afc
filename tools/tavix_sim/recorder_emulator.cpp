#include "recorder_emulator.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "recorder_image.h"

namespace tavix {

namespace {

constexpr int kBitsPerByte = 10;  // start bit, 8 data bits, stop bit
constexpr uint8_t kJunkByte = 6;
const std::vector<uint8_t> kAcknowledge = {'O', 'K'};

SensorScene StartingScene(const ServeOptions& options) {
    SensorScene scene;
    scene.gee = options.gee;
    // Unless told otherwise the recorder rests at sea level.
    scene.pressure = options.pressure >= 0.0 ? options.pressure : SiteReading(RecorderModel{}, 0.0);
    return scene;
}

}  // namespace

RecorderEmulator::RecorderEmulator(const ServeOptions& options, const std::vector<uint8_t>& file)
    : options_(options),
      sensors_(RecorderModel{}, StartingScene(options), options.noise, options.seed,
               options.sensorScript),
      byteTime_(static_cast<double>(kBitsPerByte) / options.baud) {
    if (file.size() < static_cast<size_t>(kImageSize))
        throw std::invalid_argument("the image holds " + std::to_string(file.size()) +
                                    " bytes; a recorder image has 8192");
    image_.assign(file.begin(), file.begin() + kImageSize);
    if (file.size() >= static_cast<size_t>(kFileSize)) {
        trailer_.assign(file.begin() + kImageSize, file.begin() + kFileSize);
    } else {
        const uint16_t sum = ImageChecksum(image_.data());
        trailer_ = {static_cast<uint8_t>(sum & 0xFF), static_cast<uint8_t>(sum >> 8), 0, 0};
    }
    if (options_.badChecksum)
        trailer_[0] = static_cast<uint8_t>(trailer_[0] + 1);
}

std::vector<uint8_t> RecorderEmulator::ReadReply() const {
    std::vector<uint8_t> reply(static_cast<size_t>(options_.junk), kJunkByte);
    const size_t imageBytes =
        options_.dropAfter < 0 ? image_.size()
                               : std::min(image_.size(), static_cast<size_t>(options_.dropAfter));
    reply.insert(reply.end(), image_.begin(), image_.begin() + imageBytes);
    if (imageBytes == image_.size() && !options_.noTrailer)
        reply.insert(reply.end(), trailer_.begin(), trailer_.end());
    return reply;
}

void RecorderEmulator::Receive(const uint8_t* data, size_t count, double now) {
    for (size_t i = 0; i < count; ++i) {
        const uint8_t byte = data[i];
        switch (expect_) {
            case Expect::Slash:
                if (byte == '/')
                    expect_ = Expect::Letter;
                else
                    Log(now, "ignored byte " + std::to_string(byte) + " outside a command");
                break;
            case Expect::Letter:
                expect_ = Expect::Slash;
                if (byte == 'C')
                    expect_ = Expect::SecondC;
                else
                    Command(static_cast<char>(byte), now);
                break;
            case Expect::SecondC:
                expect_ = Expect::Slash;
                if (byte == 'C') {
                    Command('C', now);
                } else {
                    Log(now, "/C without its second C: not cleared");
                    --i;  // the byte starts whatever comes next
                }
                break;
        }
    }
}

void RecorderEmulator::Command(char letter, double now) {
    std::string what;
    std::vector<uint8_t> reply;
    double start = now;
    switch (letter) {
        case 'R':
            what = "/R read memory";
            reply = ReadReply();
            break;
        case 'T':
            what = "/T sensor block";
            // The block starts once the line is free of earlier replies.
            reply = sensors_.NextBlock(std::max(now, lineFreeAt_), byteTime_);
            break;
        case 'C':
            what = "/CC clear data buffer";
            reply = kAcknowledge;
            start += options_.clearMs / 1000.0;
            break;
        case 'L':
            what = "/L main at 600 ft";
            reply = kAcknowledge;
            break;
        case 'M':
            what = "/M main at 1200 ft";
            reply = kAcknowledge;
            break;
        case 'H':
            what = "/H main at 2400 ft";
            reply = kAcknowledge;
            break;
        default:
            Log(now, "unknown command /" + std::string(1, letter) + " (byte " +
                         std::to_string(static_cast<uint8_t>(letter)) + ")");
            return;
    }
    if (options_.silent) {
        Log(now, what + " (silent: no answer)");
        return;
    }
    Log(now, what);
    Queue(reply, start);
}

void RecorderEmulator::Queue(const std::vector<uint8_t>& bytes, double start) {
    // One reply after another on the line; each byte is due when its stop bit has gone out.
    double t = std::max(start, lineFreeAt_);
    for (uint8_t byte : bytes) {
        t += byteTime_;
        queue_.emplace_back(byte, t);
    }
    lineFreeAt_ = t;
}

std::vector<uint8_t> RecorderEmulator::TakeDue(double now) {
    std::vector<uint8_t> due;
    while (!queue_.empty() && queue_.front().second <= now) {
        due.push_back(queue_.front().first);
        queue_.pop_front();
    }
    return due;
}

double RecorderEmulator::NextDue() const {
    return queue_.empty() ? -1.0 : queue_.front().second;
}

std::vector<std::string> RecorderEmulator::TakeLog() {
    return std::exchange(log_, {});
}

void RecorderEmulator::Log(double now, const std::string& text) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%10.3f ", now);
    log_.push_back(stamp + text);
}

}  // namespace tavix
