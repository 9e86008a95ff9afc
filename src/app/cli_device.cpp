#include "app/cli_device.h"

#include <signal.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <limits>
#include <optional>
#include <ostream>

#include "app/cli_options.h"
#include "app/cli_prompts.h"
#include "app/cli_summary.h"
#include "app/json_writer.h"
#include "core/file_error.h"
#include "device/console_status.h"
#include "device/image_download.h"
#include "device/live_monitor.h"
#include "device/message_table.h"
#include "device/poll_waiter.h"
#include "device/port_choice.h"
#include "device/posix_serial_port.h"
#include "device/sensor_readings.h"
#include "files/path_lookup.h"
#include "files/startup_files.h"

namespace orvale {

namespace {

namespace fs = std::filesystem;

constexpr int kLiveTickMs = 20;

struct DeviceOptions {
    std::string command;
    std::optional<std::string> port;
    std::optional<int32_t> baud;
    std::string dir = ".";
    std::vector<std::string> words;  // NAME, or low|med|high
    bool json = false;
    std::optional<double> seconds;
};

template <typename T>
std::optional<T> ParseNumber(const std::string& text) {
    T value{};
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// Returns an error text, or empty when the arguments are good.
std::string ParseDeviceArgs(const std::vector<std::string>& args, DeviceOptions& o) {
    o.command = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--port" || a == "--baud" || a == "--dir" || a == "--seconds";
        if (takesValue && i + 1 >= args.size())
            return a + " needs a value";
        if (a == "--port") {
            o.port = args[++i];
        } else if (a == "--baud") {
            o.baud = ParseNumber<int32_t>(args[++i]);
            if (!o.baud || *o.baud <= 0)
                return "--baud needs a positive whole number, not \"" + args[i] + "\"";
        } else if (a == "--dir" && o.command == "capture") {
            o.dir = args[++i];
        } else if (a == "--seconds" && o.command == "live") {
            // Finite and at most a day, so the end time in milliseconds always fits.
            o.seconds = ParseDecimal(args[++i]);
            if (!o.seconds || !(*o.seconds >= 0.0 && *o.seconds <= 86400.0))
                return "--seconds needs a number of seconds 0 to 86400, not \"" + args[i] + "\"";
        } else if (a == "--json" && o.command == "sensors") {
            o.json = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option " + a;
        } else {
            o.words.push_back(a);
        }
    }
    if (!o.port || o.port->empty())
        return "--port DEVICE is required";
    const size_t wanted = o.command == "capture" || o.command == "deploy" ? 1 : 0;
    if (o.words.size() != wanted) {
        if (o.command == "capture")
            return "give one flight NAME";
        if (o.command == "deploy")
            return "give one altitude: low, med or high";
        return "unexpected argument " + o.words.front();
    }
    if (o.command == "deploy" && o.words[0] != "low" && o.words[0] != "med" && o.words[0] != "high")
        return "the altitude is low, med or high, not \"" + o.words[0] + "\"";
    if (o.command == "capture") {
        const std::string& name = o.words[0];
        if (name.find('/') != std::string::npos || name.empty() || name[0] == '.')
            return "NAME is a file name without folder, not \"" + name + "\"";
    }
    return {};
}

// Ctrl-C while a command runs cancels the transfer instead of killing the tool, so the port is
// closed and no half-written file remains. A closed terminal (SIGHUP) or a plain kill (SIGTERM)
// ends the command the same way. The handler only notes it and wakes the wait.
volatile sig_atomic_t gInterrupted = 0;
volatile sig_atomic_t gWakeDescriptor = -1;

extern "C" void OnInterrupt(int) {
    gInterrupted = 1;
    const char byte = 1;
    if (gWakeDescriptor >= 0) [[maybe_unused]]
        ssize_t n = ::write(gWakeDescriptor, &byte, 1);
}

class InterruptGuard {
public:
    explicit InterruptGuard(PollWaiter& waiter) {
        gInterrupted = 0;
        gWakeDescriptor = waiter.WakeDescriptor();
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < std::size(kSignals); ++i)
            ::sigaction(kSignals[i], &action, &previous_[i]);
    }
    ~InterruptGuard() {
        for (size_t i = 0; i < std::size(kSignals); ++i)
            ::sigaction(kSignals[i], &previous_[i], nullptr);
        gWakeDescriptor = -1;
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction previous_[std::size(kSignals)]{};
};

// Everything a device command talks through.
struct Session {
    Session(AppState& state, std::ostream& err, const DeviceTimeouts& timeouts)
        : waiter(port), status(err), link(state, port, waiter, clock, status), interrupt(waiter) {
        link.timeouts = timeouts;
        waiter.SetWakeHandler([this] {
            if (gInterrupted)
                link.Cancel();
        });
    }
    PosixSerialPort port;
    PollWaiter waiter;
    SteadyClock clock;
    ConsoleStatus status;
    DeviceLink link;
    InterruptGuard interrupt;
};

void ApplyPortOptions(AppState& state, const DeviceOptions& o) {
    const std::optional<int32_t> number = ParseNumber<int32_t>(*o.port);
    if (number && *number >= 1 && *number <= 4) {
        state.settings.port = *number;
        state.device.deviceName.clear();
    } else {
        state.device.deviceName = *o.port;
    }
    if (o.baud)
        state.settings.baud = *o.baud;
}

std::string WorkingFolder(const std::string& dir) {
    return WithSeparator(fs::absolute(dir).lexically_normal().string());
}

int Capture(AppState& state, Session& s, const DeviceOptions& o, std::ostream& out,
            std::ostream& err) {
    const std::string folder = WorkingFolder(o.dir);
    if (!fs::is_directory(folder)) {
        err << "orvale-cli capture: no such folder " << folder << "\n";
        return 1;
    }
    CapturePrompts prompts(err, folder + o.words[0]);
    if (!CaptureFlight(s.link, prompts, {})) {
        err << "orvale-cli: the capture did not complete\n";
        return 1;
    }
    err << "Captured " << state.imageFilePath << "\n";
    out << SummaryText(state);
    return 0;
}

int Sensors(AppState& state, Session& s, const DeviceOptions& o, std::ostream& out) {
    (void)state;
    s.link.OpenPort();
    const uint8_t* block = ReadCompleteSensorBlock(s.link);
    const std::optional<ReadingSummary> accel = ReadingStatistics(block, kAccelOffset);
    const std::optional<ReadingSummary> pressure = ReadingStatistics(block, kPressureOffset);
    if (!accel && !pressure)
        s.link.RaiseDeviceError(msg::kNoReadableRecords);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    if (o.json) {
        JsonObject j;
        j.Add("accel_average", accel ? accel->average : nan)
            .Add("accel_deviation", accel ? accel->deviation : nan)
            .Add("accel_records", accel ? accel->records : 0)
            .Add("pressure_average", pressure ? pressure->average : nan)
            .Add("pressure_deviation", pressure ? pressure->deviation : nan)
            .Add("pressure_records", pressure ? pressure->records : 0);
        out << j.Text() << "\n";
        return 0;
    }
    char line[160];
    const auto print = [&](const char* name, const std::optional<ReadingSummary>& r) {
        if (r) {
            std::snprintf(line, sizeof line, "%-13s average %9.4f  deviation %9.4f  (%d records)\n",
                          name, r->average, r->deviation, r->records);
        } else {
            std::snprintf(line, sizeof line, "%-13s no readable records\n", name);
        }
        out << line;
    };
    print("acceleration", accel);
    print("pressure", pressure);
    return 0;
}

int Live(Session& s, const DeviceOptions& o, std::ostream& out) {
    LiveNeedles needles;
    StartLiveMonitor(s.link, needles);
    const int64_t start = s.clock.NowMs();
    const int64_t end = o.seconds ? start + static_cast<int64_t>(*o.seconds * 1000.0) : INT64_MAX;
    int64_t nextTick = start + kLiveTickMs;
    char line[160];
    while (!gInterrupted) {
        for (int64_t now = s.clock.NowMs(); now < nextTick && !gInterrupted; now = s.clock.NowMs())
            s.waiter.WaitForData(static_cast<int>(nextTick - now));
        nextTick += kLiveTickMs;
        if (gInterrupted || s.clock.NowMs() > end)
            break;
        const LiveTickResult result = LiveMonitorTick(s.link, needles);
        if (result == LiveTickResult::PortClosed)
            break;
        if (result != LiveTickResult::Shown)
            continue;
        std::snprintf(line, sizeof line, "g %8.3f  min %8.3f  max %8.3f  altitude %9.1f ft\n",
                      needles.gMeter[0], needles.gMeter[3], needles.gMeter[2],
                      needles.altimeter[3]);
        out << line << std::flush;
    }
    s.port.Close();
    return 0;
}

int RunCommand(AppState& state, Session& s, const DeviceOptions& o, std::ostream& out,
               std::ostream& err) {
    if (o.command == "capture")
        return Capture(state, s, o, out, err);
    if (o.command == "sensors")
        return Sensors(state, s, o, out);
    if (o.command == "live")
        return Live(s, o, out);
    s.link.OpenPort();
    bool complete = false;
    if (o.command == "clear") {
        complete = s.link.ClearDeviceBuffer();
    } else {
        const char letter = o.words[0] == "low" ? 'L' : o.words[0] == "med" ? 'M' : 'H';
        complete = s.link.SetMainDeployment(letter);
    }
    s.port.Close();
    if (!complete) {
        // The recorder's answer carries nothing, so its silence is only a warning.
        err << "orvale-cli: the recorder did not confirm the command\n";
        return 1;
    }
    out << (o.command == "clear" ? "Tavix's data buffer is now clear\n"
                                 : "Main deployment altitude set\n");
    return 0;
}

}  // namespace

bool IsDeviceCommand(const std::string& name) {
    return name == "capture" || name == "clear" || name == "deploy" || name == "sensors" ||
           name == "live" || name == "ports";
}

int ListPorts(std::vector<SerialDevice> devices, std::ostream& out, std::ostream& err) {
    if (devices.empty()) {
        err << "orvale-cli ports: no serial ports found. A USB adapter shows up here (as "
               "/dev/ttyUSB0 or /dev/ttyACM0) once it is plugged in.\n";
        return 0;
    }
    SortForList(devices);
    for (const SerialDevice& d : devices) {
        out << DeviceText(d);
        if (!d.description.empty() && !d.manufacturer.empty())
            out << " (" << d.manufacturer << ")";
        out << "\n";
    }
    return 0;
}

int RunDeviceCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::string& programDirectory, const DeviceTimeouts& timeouts) {
    if (args[0] == "ports") {
        if (args.size() > 1) {
            err << "orvale-cli ports: unexpected argument " << args[1] << "\n"
                << OwnUsage(kDeviceUsage) << kDeviceNotes;
            return 2;
        }
        return ListPorts(ReadSerialDevices(), out, err);
    }
    DeviceOptions o;
    if (std::string problem = ParseDeviceArgs(args, o); !problem.empty()) {
        err << "orvale-cli " << args[0] << ": " << problem << "\n"
            << OwnUsage(kDeviceUsage) << kDeviceNotes;
        return 2;
    }
    try {
        AppState state;
        CliPrompts startupPrompts(err);
        InitProgramState(state, {std::time(nullptr), programDirectory, {}}, startupPrompts);
        ApplyPortOptions(state, o);
        Session session(state, err, timeouts);
        return RunCommand(state, session, o, out, err);
    } catch (const EDeviceError& e) {
        err << "orvale-cli: " << e.what() << "\n";
    } catch (const FileError& e) {
        err << "orvale-cli: " << e.what() << "\n";
    }
    return 1;
}

}  // namespace orvale
