#include "graph/spectrum.h"

#include <fftw3.h>

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <numbers>

namespace orvale {

namespace {

// One transform size: its plan, the arrays the plan was made for and the Hann window's weights.
class Transform {
public:
    explicit Transform(size_t n)
        : n_(n),
          in_(fftwf_alloc_real(n)),
          out_(fftwf_alloc_complex(n / 2 + 1)),
          // Estimated, not measured: measuring costs far more than the transforms of a session
          // and would overwrite the arrays while it plans.
          plan_(fftwf_plan_dft_r2c_1d(static_cast<int>(n), in_, out_, FFTW_ESTIMATE)),
          window_(n) {
        for (size_t i = 0; i < n; ++i) {
            const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) /
                                                  static_cast<double>(n));
            window_[i] = static_cast<float>(w);
            sum_ += w;
            sumOfSquares_ += w * w;
        }
    }
    ~Transform() {
        fftwf_destroy_plan(plan_);
        fftwf_free(out_);
        fftwf_free(in_);
    }
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;

    bool Ready() const { return in_ && out_ && plan_; }

    Spectrum Run(const std::vector<float>& samples, double sampleInterval, SpectrumKind kind) {
        for (size_t i = 0; i < n_; ++i)
            in_[i] = samples[i] * window_[i];
        fftwf_execute(plan_);

        const double rate = 1.0 / sampleInterval;
        const size_t bins = n_ / 2 + 1;
        Spectrum s;
        s.frequency.resize(bins);
        s.value.resize(bins);
        for (size_t k = 0; k < bins; ++k) {
            const double re = out_[k][0];
            const double im = out_[k][1];
            // Only the one side is kept: every bin but 0 Hz and the Nyquist frequency also
            // stands for its mirror image.
            const double sides = k == 0 || k == n_ / 2 ? 1.0 : 2.0;
            const double v = kind == SpectrumKind::Amplitude
                                 ? sides * std::sqrt(re * re + im * im) / sum_
                                 : sides * (re * re + im * im) / (rate * sumOfSquares_);
            s.frequency[k] =
                static_cast<float>(static_cast<double>(k) * rate / static_cast<double>(n_));
            s.value[k] = static_cast<float>(v);
        }
        return s;
    }

private:
    size_t n_;
    float* in_;
    fftwf_complex* out_;
    fftwf_plan plan_;
    std::vector<float> window_;
    double sum_ = 0.0;
    double sumOfSquares_ = 0.0;
};

bool PowerOfTwo(size_t n) {
    return n >= 2 && (n & (n - 1)) == 0;
}

}  // namespace

Spectrum ComputeSpectrum(const std::vector<float>& samples, double sampleInterval,
                         SpectrumKind kind) {
    const size_t n = samples.size();
    if (!PowerOfTwo(n) || !(sampleInterval > 0.0) || !std::isfinite(sampleInterval))
        return {};
    for (float v : samples)
        if (!std::isfinite(v))
            return {};  // one missing value would spread over every frequency

    // The library's planner keeps global state and is not thread-safe; the shared arrays of a
    // plan are not either. One lock covers both.
    static std::mutex lock;
    static std::map<size_t, std::unique_ptr<Transform>> transforms;
    const std::lock_guard<std::mutex> hold(lock);
    auto& transform = transforms[n];
    if (!transform)
        transform = std::make_unique<Transform>(n);
    if (!transform->Ready()) {
        transform.reset();
        return {};
    }
    return transform->Run(samples, sampleInterval, kind);
}

}  // namespace orvale
