#include "files/parameter_fields.h"

#include "core/text_format.h"
#include "files/windows1252.h"
#include "widgets/entry_fields.h"

namespace orvale {

namespace {

// A field's label without its colon, as the refusal names it.
std::string_view Named(const ParameterField& field) {
    std::string_view label = field.label;
    if (!label.empty() && label.back() == ':')
        label.remove_suffix(1);
    return label;
}

void StoreNumber(int32_t& value, int field, const std::string& text) {
    const ParameterField& rule = kParameterFields[field];
    if (auto number = ParseWholeNumber(text, rule.min, rule.max))
        value = static_cast<int32_t>(*number);
}

}  // namespace

ParameterTexts ParameterFieldTexts(const AppState& state) {
    const FlightParameters& f = state.flight;
    ParameterTexts t;
    t[kDataFileField] = state.current().dataFileName;
    t[kNoteField] = f.note;
    t[kLocationField] = f.location;
    t[kLaunchElevationField] = std::to_string(f.launchElevation);
    t[kLaunchDateField] = f.date;
    t[kLaunchTimeField] = f.time;
    t[kWeatherField] = f.weather;
    t[kModelField] = f.model;
    t[kStagesField] = std::to_string(f.stages);
    t[kMotorField] = f.motor;
    t[kLaunchWeightField] = std::to_string(f.launchWeight);
    t[kRecoveredWeightField] = std::to_string(f.recoveredWeight);
    t[kExpectedAltitudeField] = std::to_string(f.expectedAltitude);
    t[kCalibrationFileField] = f.calibrationFile;
    return t;
}

std::optional<std::string> ParameterFieldRefusal(int field, std::string_view text) {
    if (field < 0 || field >= kParameterFieldCount)
        return std::nullopt;
    const ParameterField& rule = kParameterFields[field];
    if (rule.kind == FieldKind::Text) {
        if (auto character = FirstCharacterOutsideWindows1252(text))
            return std::string(Named(rule)) + " holds " + *character +
                   ", a character the parameter file cannot keep (it holds 8-bit Western text).";
        return std::nullopt;
    }
    if (rule.kind != FieldKind::WholeNumber)
        return std::nullopt;
    if (ParseWholeNumber(text, rule.min, rule.max))
        return std::nullopt;
    return WholeNumberRefusal(Named(rule), rule.min, rule.max);
}

std::optional<int> FirstRefusedField(const ParameterTexts& texts) {
    for (int field = 0; field < kParameterFieldCount; ++field)
        if (ParameterFieldRefusal(field, texts[field]))
            return field;
    return std::nullopt;
}

void StoreEditedParameters(AppState& state, const ParameterTexts& t) {
    FlightParameters& f = state.flight;
    f.note = CutText(t[kNoteField], kNameLimit);
    f.location = CutText(t[kLocationField], kNameLimit);
    StoreNumber(f.launchElevation, kLaunchElevationField, t[kLaunchElevationField]);
    f.date = CutText(t[kLaunchDateField], kDateTimeLimit);
    f.time = CutText(t[kLaunchTimeField], kDateTimeLimit);
    f.weather = CutText(t[kWeatherField], kNameLimit);
    f.model = CutText(t[kModelField], kNameLimit);
    StoreNumber(f.stages, kStagesField, t[kStagesField]);
    f.motor = CutText(t[kMotorField], kNameLimit);
    StoreNumber(f.launchWeight, kLaunchWeightField, t[kLaunchWeightField]);
    StoreNumber(f.recoveredWeight, kRecoveredWeightField, t[kRecoveredWeightField]);
    StoreNumber(f.expectedAltitude, kExpectedAltitudeField, t[kExpectedAltitudeField]);
    // Calibration files are paths, and paths share the working directory's limit.
    f.calibrationFile = CutText(t[kCalibrationFileField], kPathLimit);
}

}  // namespace orvale
