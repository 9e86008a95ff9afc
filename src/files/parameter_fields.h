// The fields of the parameter editor: what each one shows of the flight's description, what it
// accepts, and how the edited texts go back into the program state.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/app_state.h"

namespace orvale {

enum class FieldKind { Display, Text, WholeNumber };

struct ParameterField {
    const char* control;  // object name of the entry box
    const char* label;
    const char* hint;
    FieldKind kind;
    int maxLength;  // characters the box takes, as many as the file keeps; 0 for no limit
    int64_t min = 0;
    int64_t max = 0;
};

enum ParameterFieldId : int {
    kDataFileField,
    kNoteField,
    kLocationField,
    kLaunchElevationField,
    kLaunchDateField,
    kLaunchTimeField,
    kWeatherField,
    kModelField,
    kStagesField,
    kMotorField,
    kLaunchWeightField,
    kRecoveredWeightField,
    kExpectedAltitudeField,
    kCalibrationFileField,
    kParameterFieldCount
};

// In screen order, top to bottom and left to right.
inline constexpr std::array<ParameterField, kParameterFieldCount> kParameterFields{{
    {"DataFileE", "Data File:", "", FieldKind::Display, 0},
    {"NoteE", "Notes:", "Notes for this file", FieldKind::Text, kNameLimit},
    {"LocationE", "Location:", "Location of Launch", FieldKind::Text, kNameLimit},
    {"LaunchElevE", "Launch Elevation:", "Elevation of Launch Location", FieldKind::WholeNumber, 6,
     -32768, 32767},
    {"LaunchDateE", "Launch Date:", "Enter Launch Date", FieldKind::Text, kDateTimeLimit},
    {"LaunchTimeE", "Launch Time:", "Enter Launch Time", FieldKind::Text, kDateTimeLimit},
    {"WeatherE", "Weather:", "Enter Launch Weather Conditions", FieldKind::Text, kNameLimit},
    {"ModelNameE", "Model Name:", "Enter the Model's Name", FieldKind::Text, kNameLimit},
    {"NumStagesE", "Number of Stages:", "Enter number of stages", FieldKind::WholeNumber, 2, 1, 5},
    {"MotorsUsedE", "Motor(s) Used:", "Enter Motor(s) Used", FieldKind::Text, kNameLimit},
    {"LaunchWeightE", "Launch Weight:", "Enter Launch Weight", FieldKind::WholeNumber, 6, 0, 32767},
    {"RecoveredWeightE", "Recovered Weight:", "Enter Recovered Weight of Vehicle",
     FieldKind::WholeNumber, 6, 0, 32767},
    {"ExpectedAltE", "Expected Altitude:", "Enter Expected Altitude", FieldKind::WholeNumber, 10, 0,
     2147483647},
    {"CalFileE", "Calibration File:", "Select Calibration File to use", FieldKind::Text,
     kPathLimit},
}};

using ParameterTexts = std::array<std::string, kParameterFieldCount>;

// Every field's text from the current values: the entry's data file name and the flight's
// description, numbers in decimal.
ParameterTexts ParameterFieldTexts(const AppState& state);

// The message that refuses a field's text ("Number of Stages must be a whole number from 1 to
// 5.", or a text holding a character the parameter file's 8-bit set cannot keep), or nothing
// when the field takes it.
std::optional<std::string> ParameterFieldRefusal(int field, std::string_view text);

// The first field, in screen order, that refuses its text.
std::optional<int> FirstRefusedField(const ParameterTexts& texts);

// Copies every field except the data file name into the flight's description, texts cut to
// their limits. A number that its field refuses leaves the value as it was.
void StoreEditedParameters(AppState& state, const ParameterTexts& texts);

}  // namespace orvale
