#include "sensor_noise.h"

#include <cmath>
#include <numbers>

namespace tavix {

double SensorNoise::Uniform() {
    return (static_cast<double>(engine_()) + 0.5) / 4294967296.0;
}

double SensorNoise::Next() {
    if (haveSpare_) {
        haveSpare_ = false;
        return spare_;
    }
    // Box-Muller: two uniforms give two independent normals.
    const double radius = sigma_ * std::sqrt(-2.0 * std::log(Uniform()));
    const double angle = 2.0 * std::numbers::pi * Uniform();
    spare_ = radius * std::sin(angle);
    haveSpare_ = true;
    return radius * std::cos(angle);
}

}  // namespace tavix
