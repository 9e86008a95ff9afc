#include "graph/series_preparation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "core/prompts.h"
#include "core/text_format.h"
#include "core/time_window.h"
#include "graph/series_formula.h"
#include "graph/series_histogram.h"
#include "graph/series_power_of_two.h"
#include "graph/series_reading.h"

namespace orvale {

namespace {

constexpr int32_t kStoredPointLimit = 1024;  // plain points beyond this index are not kept
// Each shortening at least halves the spectrum window, which starts at 1024 samples at most.
constexpr int kMostPasses = 16;

enum class Pass { Done, Failed, WindowShortened };

// The evaluator reads pages of the data file through its own cache; the file is only opened here
// to tell at once whether the flight can be read at all.
bool FlightReadable(const AppState& state) {
    if (state.loadedDataSize == 0 || state.decimation == 0 || state.samplesPerSecond <= 0 ||
        state.recordedChannelCount <= 0)
        return false;
    std::ifstream file(state.imageFilePath, std::ios::binary);
    return static_cast<bool>(file);
}

int32_t Clamp32(int64_t n) {
    return static_cast<int32_t>(std::clamp<int64_t>(n, INT32_MIN, INT32_MAX));
}

// One pass of the preparation: all of it, or up to the shortening of a spectrum window.
class SeriesPass {
public:
    SeriesPass(AppState& state, Prompts& prompts, int channelSlot, int32_t startSample, float k)
        : state_(state),
          fs_(state.formula),
          prompts_(prompts),
          slot_(channelSlot),
          startSample_(startSample),
          k_(k) {}

    Pass Run();

private:
    bool Sample(int32_t n);
    void Store(float v);
    float Seconds(int64_t sampleNumber) const {
        return static_cast<float>(static_cast<double>(sampleNumber) / state_.samplesPerSecond);
    }
    void SetSampleNumber(int64_t n) {
        sampleNumber_ = n;
        fs_.sampleNumber = Clamp32(n);
    }

    AppState& state_;
    FormulaState& fs_;
    Prompts& prompts_;
    const int slot_;
    const int32_t startSample_;
    const float k_;

    ChannelSamples* out_ = nullptr;
    Formula formula_{};
    ChannelTable table_{};
    HistogramBins bins_;
    double interval_ = 0.0;
    int64_t decimation_ = 1;
    // The current sample number runs one step ahead of the sample being read once point 1 is
    // stored; readSample_ is the sample the read positions point at, which decides the end.
    int64_t sampleNumber_ = 0;
    int64_t readSample_ = 0;
    int32_t pointCount_ = 1;
    bool firstSample_ = true;
    float filtered_ = 0.0f;  // q, the last filtered value
    float sum_ = 0.0f;
    int32_t averaged_ = 1;
};

Pass SeriesPass::Run() {
    if (state_.currentEntry >= state_.series.size())
        return Pass::Failed;
    out_ = &state_.series[state_.currentEntry];
    const DataFileEntry& entry = state_.current();

    fs_.seriesMode = kSeriesPlain;
    fs_.powerSpectrum = false;
    if (!CompileChannelFormula(state_, prompts_, slot_, formula_, table_))
        return Pass::Failed;
    const double high = std::max(fs_.displayMaximum, fs_.displayMinimum);
    const double low = std::min(fs_.displayMaximum, fs_.displayMinimum);
    if (!FlightReadable(state_))
        return Pass::Failed;

    decimation_ = state_.decimation;
    interval_ = entry.sampleInterval;
    const double start = std::nearbyint(static_cast<double>(startSample_) / decimation_);
    SetSampleNumber(static_cast<int64_t>(start) * decimation_);
    readSample_ = sampleNumber_;
    StartSeriesReading(state_, sampleNumber_);

    state_.windowLengthSamples = RoundToInt32(state_.samplesPerSecond * entry.graphLength);
    fs_.samplesToRead = state_.windowLengthSamples / state_.decimation;
    const int32_t samples = fs_.samplesToRead;
    if (samples < 1) {
        // A window shorter than one sample holds nothing to show: no point is made up for it.
        state_.errorMessages.Set(kWindowHoldsNoSample);
        ShowError(state_, prompts_, kErrorSlot);
        fs_.seriesPointCount = -1;
        return Pass::Failed;
    }
    state_.pointStep = samples > kSeriesPointLimit ? samples / double{kSeriesPointLimit} : 1.0;
    ResetIntegratorState(state_, interval_);

    const uint8_t firstKind = formula_.Kind[1];
    if (firstKind == kKindSpectrum || firstKind == kKindPowerSpectrum) {
        state_.pointStep = 1.0;
        const int32_t window = PowerOfTwoWindow(samples);
        if (window != samples) {
            SetGraphLength(state_, prompts_, false, window * interval_);
            fs_.powerOfTwoTrim = true;
            return Pass::WindowShortened;
        }
        fs_.seriesMode = kSeriesPowerOfTwo;
        fs_.powerSpectrum = firstKind == kKindPowerSpectrum;
    }

    LoadImagePage(state_);
    if (out_->x.size() < static_cast<size_t>(kMaxSeriesPoints)) {
        out_->x.resize(kMaxSeriesPoints, 0.0f);
        out_->y.resize(kMaxSeriesPoints, 0.0f);
    }

    if (firstKind == kKindHistogram) {
        fs_.seriesMode = kSeriesHistogram;
        state_.pointStep = 1.0;
        fs_.pointNumber = 0;
        EvaluateSample(state_, formula_, table_);
        if (fs_.readErrorCode != 0) {
            fs_.readErrorCode = 0;
            return Pass::Failed;
        }
        bins_ = SetUpHistogram(state_, prompts_, low, high, fs_.histogramBinWidth, *out_);
    }

    for (int32_t n = 1; n <= samples; ++n)
        if (!Sample(n))
            return Pass::Failed;

    if (fs_.seriesMode == kSeriesPowerOfTwo)
        fs_.seriesPointCount = samples - 1;
    else if (fs_.seriesMode == kSeriesHistogram)
        fs_.seriesPointCount = bins_.bins + 1;
    else
        fs_.seriesPointCount = pointCount_ - 1;
    return Pass::Done;
}

bool SeriesPass::Sample(int32_t n) {
    fs_.pointNumber = n;
    const int64_t lastSample =
        int64_t{state_.firstSampleNumber} + (int64_t{state_.samplesPerChannel} - 1) * decimation_;
    float v = 0.0f;
    if (readSample_ > lastSample) {
        // Past the recording: the last value is held, stamped with the end of the recording.
        v = filtered_;
        SetSampleNumber(int64_t{state_.firstSampleNumber} +
                        int64_t{state_.samplesPerChannel} * decimation_);
    } else {
        v = EvaluateSample(state_, formula_, table_);
        if (fs_.readErrorCode != 0) {
            fs_.readErrorCode = 0;
            return false;
        }
    }

    if (fs_.seriesMode == kSeriesHistogram) {
        AddToHistogram(bins_, v, interval_, *out_);
        filtered_ = v;  // a histogram is not filtered; past the end it holds its last value
    } else {
        if (firstSample_) {
            filtered_ = v;
            firstSample_ = false;
        }
        v = filtered_ + (v - filtered_) * k_;
        filtered_ = v;
        if (n < pointCount_ * state_.pointStep) {
            sum_ = sum_ + v;
            ++averaged_;
        } else {
            if (averaged_ > 1) {
                v = (sum_ + v) / static_cast<float>(averaged_);
                sum_ = 0.0f;
                averaged_ = 1;
            }
            Store(v);
        }
    }

    SetSampleNumber(sampleNumber_ + decimation_);
    readSample_ += decimation_;
    AdvanceSeriesReading(state_, fs_.singleChannel, fs_.firstChannel);
    return true;
}

void SeriesPass::Store(float v) {
    const int32_t p = pointCount_;
    if (fs_.seriesMode == kSeriesPowerOfTwo) {
        const auto at = static_cast<size_t>(p - 1);
        if (at < out_->x.size()) {
            out_->x[at] = Seconds(sampleNumber_);
            out_->y[at] = v;
        }
    } else {
        // Point 0 is the first value at its own time; from point 1 on every point is stamped one
        // step after the sample it ends with.
        if (p == 1) {
            out_->x[0] = Seconds(sampleNumber_);
            out_->y[0] = v;
            SetSampleNumber(sampleNumber_ + decimation_);
        }
        if (p <= kStoredPointLimit) {
            out_->x[static_cast<size_t>(p)] = Seconds(sampleNumber_);
            out_->y[static_cast<size_t>(p)] = v;
        }
    }
    pointCount_ = p + 1;
}

}  // namespace

bool PrepareSeries(AppState& state, Prompts& prompts, int channelSlot, int32_t startSample,
                   float k) {
    // A shortened spectrum window is computed again at once with its new length, so the buffer
    // never keeps an older series and the trim flag never outlives this call.
    Pass result = Pass::WindowShortened;
    for (int pass = 0; pass < kMostPasses && result == Pass::WindowShortened; ++pass)
        result = SeriesPass(state, prompts, channelSlot, startSample, k).Run();
    state.formula.powerOfTwoTrim = false;
    return result == Pass::Done;
}

void RecordSeriesRange(AppState& state) {
    if (state.currentEntry >= state.series.size())
        return;
    ChannelSamples& series = state.series[state.currentEntry];
    series.seriesMode = state.formula.seriesMode;
    series.powerSpectrum = state.formula.powerSpectrum;
    series.pointCount = state.formula.seriesPointCount;
    series.minReading = state.formula.displayMinimum;
    series.maxReading = state.formula.displayMaximum;
}

}  // namespace orvale
