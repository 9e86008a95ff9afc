#include "graph/series_samples.h"

#include <algorithm>
#include <memory>

#include "core/formula.h"
#include "graph/series_formula.h"
#include "graph/series_reading.h"

namespace orvale {

std::vector<int32_t> RecordedSampleNumbers(const AppState& state) {
    std::vector<int32_t> numbers;
    if (state.loadedDataSize == 0 || state.decimation == 0)
        return numbers;
    const int32_t decimation = state.decimation;
    const int32_t frames = std::max(state.samplesPerChannel / decimation, 0);
    numbers.reserve(static_cast<size_t>(frames));
    for (int32_t i = 0; i < frames; ++i)
        numbers.push_back(state.firstSampleNumber + i * decimation);
    return numbers;
}

bool ChannelSampleValues(AppState& state, Prompts& prompts, int channelSlot, bool filtered,
                         std::vector<float>& values) {
    values.clear();
    const std::vector<int32_t> numbers = RecordedSampleNumbers(state);
    auto formula = std::make_unique<Formula>();
    auto table = std::make_unique<ChannelTable>();
    if (!CompileChannelFormula(state, prompts, channelSlot, *formula, *table))
        return false;
    if (numbers.empty())
        return true;

    FormulaState& fs = state.formula;
    const float k = FilterCoefficient(state.channels[static_cast<size_t>(channelSlot)].filter);
    StartSeriesReading(state, numbers.front());
    LoadImagePage(state);
    ResetIntegratorState(state, state.current().sampleInterval);
    values.reserve(numbers.size());
    float q = 0.0f;
    for (size_t i = 0; i < numbers.size(); ++i) {
        fs.sampleNumber = numbers[i];
        fs.pointNumber = static_cast<int32_t>(i + 1);
        float v = EvaluateSample(state, *formula, *table);
        if (fs.readErrorCode != 0) {
            fs.readErrorCode = 0;
            values.clear();
            return false;
        }
        if (filtered) {
            if (i == 0)
                q = v;
            v = q + (v - q) * k;
            q = v;
        }
        values.push_back(v);
        AdvanceSeriesReading(state, fs.singleChannel, fs.firstChannel);
    }
    return true;
}

}  // namespace orvale
