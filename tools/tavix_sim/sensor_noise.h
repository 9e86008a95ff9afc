// Seeded Gaussian noise that comes out the same with every standard library: the engine's output
// is fixed by the language, the library's normal distribution is not.
#pragma once

#include <cstdint>
#include <random>

namespace tavix {

class SensorNoise {
public:
    SensorNoise(uint32_t seed, double sigma) : engine_(seed), sigma_(sigma) {}

    double Next();

private:
    double Uniform();  // in (0, 1), never 0

    std::mt19937 engine_;
    double sigma_;
    double spare_ = 0.0;
    bool haveSpare_ = false;
};

}  // namespace tavix
