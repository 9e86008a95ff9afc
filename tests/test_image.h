// Builders of recorder images and scratch folders for the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvale::test {

// An 8196-byte data file: image plus trailer. Starts as a flight at rest: zero-g reading z,
// every pressure reading equal to the site reading, no events.
struct TestImage {
    explicit TestImage(uint8_t zeroG = 100, uint8_t site = 200);

    // Acceleration and pressure of decoded frame k (0..4087), wherever the recorder keeps it.
    void SetFrame(int k, uint8_t accel, uint8_t pressure);
    void SetAccel(int k, uint8_t accel);
    void SetPressure(int k, uint8_t pressure);
    void SetDrogue(uint8_t seconds, uint8_t sixteenths, uint8_t pressure);
    void SetMain(uint8_t seconds, uint8_t sixteenths, uint8_t pressure);
    void SetFlags(uint8_t flags) { bytes[12] = flags; }
    std::string Write(const std::filesystem::path& path);  // also fixes the checksum

    std::vector<uint8_t> bytes;
};

// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace orvale::test
