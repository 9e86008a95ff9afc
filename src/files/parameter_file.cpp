#include "files/parameter_file.h"

#include "core/file_error.h"
#include "core/program_state.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "files/ini_file.h"
#include "files/number_text.h"
#include "files/path_lookup.h"

namespace orvale {

namespace {

const char kNote[] = "Note";
const char kLocation[] = "Location";
const char kDate[] = "Date";
const char kTime[] = "Time";
const char kElevation[] = "Launch Elevation";
const char kWeather[] = "Weather";
const char kModel[] = "Model";
const char kMotor[] = "Motor";
const char kStages[] = "Stages";
const char kLaunchWeight[] = "Launch Weight";
const char kRecoveredWeight[] = "Recovered Weight";
const char kExpectedAltitude[] = "Expected Altitude";
const char kSelected[] = "Selected";
const char kTitle[] = "Title";
const char kFormula[] = "Formula";
const char kMinReading[] = "Min Reading";
const char kMaxReading[] = "Max Reading";
const char kFilter[] = "Filter";

void ReadText(const IniFile& ini, const std::string& section, const char* key, std::string& value,
              int limit) {
    value = CutText(ini.ReadString(section, key, value), limit);
    // A text cut at its limit may end in blanks that the next reading would drop: drop them now,
    // so that what is written is what is read back.
    if (value.size() > 0 && (value.back() == ' ' || value.back() == '\t'))
        value.erase(value.find_last_not_of(" \t") + 1);
}

// A display-range reading: its default is the value in memory in the written 2-decimal form;
// an empty value is 0 and a value that is not a number keeps what memory held.
void ReadReading(const IniFile& ini, const std::string& section, const char* key, float& value) {
    const std::string text = ini.ReadString(section, key, FormatFixed2(value));
    if (text.find_first_not_of(" \t") == std::string::npos) {
        value = 0.0f;
        return;
    }
    if (auto number = ParseWellFormedNumber(text, true))
        value = *number;
}

}  // namespace

std::string ChannelSection(int channelNumber) {
    return "Channel " + std::to_string(channelNumber) + " Data";
}

std::string ParameterFilePath(const AppState& state) {
    return ResolveCaseInsensitive(state.workingDirectory, state.current().parameterFileName);
}

void ReadParameters(const IniFile& ini, AppState& state) {
    FlightParameters& f = state.flight;
    const std::string s = kFlightSection;
    ReadText(ini, s, kNote, f.note, kNameLimit);
    ReadText(ini, s, kLocation, f.location, kNameLimit);
    ReadText(ini, s, kDate, f.date, kDateTimeLimit);
    ReadText(ini, s, kTime, f.time, kDateTimeLimit);
    f.launchElevation = ini.ReadInteger(s, kElevation, f.launchElevation);
    ReadText(ini, s, kWeather, f.weather, kNameLimit);
    ReadText(ini, s, kModel, f.model, kNameLimit);
    ReadText(ini, s, kMotor, f.motor, kNameLimit);
    f.stages = ini.ReadInteger(s, kStages, f.stages);
    f.launchWeight = ini.ReadInteger(s, kLaunchWeight, f.launchWeight);
    f.recoveredWeight = ini.ReadInteger(s, kRecoveredWeight, f.recoveredWeight);
    f.expectedAltitude = ini.ReadInteger(s, kExpectedAltitude, f.expectedAltitude);
    ReadText(ini, s, kCalibrationKey, f.calibrationFile, kPathLimit);

    for (int n = 1; n <= kFileChannels; ++n) {
        ChannelDef& ch = state.channels[n - 1];
        const std::string section = ChannelSection(n);
        ch.selected = ini.ReadInteger(section, kSelected, ch.selected ? 1 : 0) != 0;
        ReadText(ini, section, kTitle, ch.title, kNameLimit);
        ReadText(ini, section, kFormula, ch.formula, kFormulaLimit);
        ReadReading(ini, section, kMinReading, ch.minReading);
        ReadReading(ini, section, kMaxReading, ch.maxReading);
        ch.filter = ini.ReadInteger(section, kFilter, ch.filter);
    }
}

void WriteParameters(IniFile& ini, const AppState& state) {
    const FlightParameters& f = state.flight;
    const std::string s = kFlightSection;
    ini.WriteString(s, kNote, f.note);
    ini.WriteString(s, kLocation, f.location);
    ini.WriteString(s, kDate, f.date);
    ini.WriteString(s, kTime, f.time);
    ini.WriteInteger(s, kElevation, f.launchElevation);
    ini.WriteString(s, kWeather, f.weather);
    ini.WriteString(s, kModel, f.model);
    ini.WriteString(s, kMotor, f.motor);
    ini.WriteInteger(s, kStages, f.stages);
    ini.WriteInteger(s, kLaunchWeight, f.launchWeight);
    ini.WriteInteger(s, kRecoveredWeight, f.recoveredWeight);
    ini.WriteInteger(s, kExpectedAltitude, f.expectedAltitude);
    ini.WriteString(s, kCalibrationKey, f.calibrationFile);

    for (int n = 1; n <= kFileChannels; ++n) {
        const ChannelDef& ch = state.channels[n - 1];
        const std::string section = ChannelSection(n);
        ini.WriteBool(section, kSelected, ch.selected);
        ini.WriteString(section, kTitle, ch.title);
        ini.WriteString(section, kFormula, ch.formula);
        ini.WriteString(section, kMinReading, FormatFixed2(ch.minReading));
        ini.WriteString(section, kMaxReading, FormatFixed2(ch.maxReading));
        ini.WriteInteger(section, kFilter, ch.filter);
    }
}

IniFile DefaultParameters(const AppState& state) {
    AppState defaults;
    SetProgramDefaults(defaults, 0);
    defaults.flight.date.clear();
    defaults.flight.time.clear();
    const std::string& cal = state.calibrationFilePath;
    const bool beside = !state.workingDirectory.empty() &&
                        cal.starts_with(state.workingDirectory) &&
                        cal.find('/', state.workingDirectory.size()) == std::string::npos;
    defaults.flight.calibrationFile = beside ? cal.substr(state.workingDirectory.size()) : cal;
    IniFile ini;
    WriteParameters(ini, defaults);
    return ini;
}

void WriteDefaultParameterFile(const AppState& state) {
    DefaultParameters(state).Save(ResolveCaseInsensitive(state.workingDirectory, kDefaultParFile));
}

void ReadParameterFile(AppState& state, Prompts& /*prompts*/, bool opening) {
    DataFileEntry& entry = state.current();
    std::string path = ParameterFilePath(state);
    while (!PathExists(path)) {
        entry.channelSlot = 0;
        if (entry.parameterFileName != kDefaultParFile) {
            entry.parameterFileName = kDefaultParFile;
            path = ParameterFilePath(state);
            continue;
        }
        if (opening) {
            // The flight is described by the defaults, which go back into DEFAULT.PAR where the
            // folder takes them.
            const IniFile defaults = DefaultParameters(state);
            ReadParameters(defaults, state);
            try {
                defaults.Save(path);
                return;
            } catch (const FileError&) {
            }
        }
        entry.parameterFileName = kNoFile;
        return;
    }
    ReadParameters(IniFile::Load(path), state);
}

void WriteParameterFile(const AppState& state) {
    const std::string path = ParameterFilePath(state);
    IniFile ini = IniFile::LoadForUpdate(path);
    WriteParameters(ini, state);
    ini.Save(path);
}

}  // namespace orvale
