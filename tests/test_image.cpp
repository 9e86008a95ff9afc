#include "test_image.h"

#include <fstream>
#include <random>
#include <stdexcept>

#include "core/image_decode.h"

namespace orvale::test {

TestImage::TestImage(uint8_t zeroG, uint8_t site) : bytes(8196, 0) {
    bytes[13] = site;
    bytes[14] = site;
    for (int i = 16; i <= 24; ++i)
        bytes[i] = zeroG;
    for (int k = 8; k < 4088; ++k)
        SetFrame(k, zeroG, site);
    SetDrogue(255, 255, 0);
}

void TestImage::SetAccel(int k, uint8_t accel) {
    if (k >= 8) {
        bytes[16 + 2 * k] = accel;
    } else if (k >= 4) {
        bytes[21 + (k - 4)] = accel;
    } else {
        bytes[20] = accel;
    }
}

void TestImage::SetPressure(int k, uint8_t pressure) {
    if (k >= 8) {
        bytes[17 + 2 * k] = pressure;
    } else {
        bytes[14] = pressure;
    }
}

void TestImage::SetFrame(int k, uint8_t accel, uint8_t pressure) {
    SetAccel(k, accel);
    SetPressure(k, pressure);
}

void TestImage::SetDrogue(uint8_t seconds, uint8_t sixteenths, uint8_t pressure) {
    bytes[4] = seconds;
    bytes[5] = sixteenths;
    bytes[7] = pressure;
}

void TestImage::SetMain(uint8_t seconds, uint8_t sixteenths, uint8_t pressure) {
    bytes[8] = seconds;
    bytes[9] = sixteenths;
    bytes[11] = pressure;
}

std::string TestImage::Write(const std::filesystem::path& path) {
    uint16_t sum = ImageChecksum(bytes.data());
    bytes[8192] = static_cast<uint8_t>(sum & 0xFF);
    bytes[8193] = static_cast<uint8_t>(sum >> 8);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    return path.string();
}

TempDir::TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("orvale-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace orvale::test
