#include "device/image_download.h"

#include <sys/stat.h>

#include <optional>

#include "core/date_format.h"
#include "core/image_decode.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "core/time_window.h"
#include "device/capture_file.h"
#include "device/device_link.h"
#include "device/free_space.h"
#include "device/message_table.h"
#include "files/data_files.h"
#include "files/ini_file.h"
#include "files/loading.h"
#include "files/parameter_file.h"
#include "files/path_lookup.h"

namespace orvale {

namespace {

constexpr uint8_t kFirstImageByte = 25;
constexpr uint16_t kTrailerLength = 4;

uint64_t ExistingFileSize(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    return static_cast<uint64_t>(st.st_size);
}

// The values of a recorder image, set once the new flight is stored.
void PrepareForImage(AppState& state, const std::string& path) {
    state.recordedChannelMask = 3;
    state.decimation = 1;
    state.loadedDataSize = 8;
    state.formula.cachedPage = 0;
    DataFileEntry& entry = state.current();
    if (entry.dataFileName != kCaptureName)
        state.previousDataFileName = entry.dataFileName;
    state.imageFilePath = path;
}

// The new parameter file, complete in a temporary file beside its target: the flight's
// description as it stands, stamped with the capture's date and time, merged into whatever the
// older parameter file of that name holds.
void PrepareParameterFile(AppState& state, const std::time_t now, CaptureFile& file) {
    file.Finish();
    IniFile ini = IniFile::LoadForUpdate(file.Target());
    const FlightParameters kept = state.flight;
    state.flight.date = CutText(FormatProgramDate(now), kDateTimeLimit);
    state.flight.time = CutText(FormatProgramTime(now), kDateTimeLimit);
    WriteParameters(ini, state);
    state.flight = kept;  // the flight in memory takes the stamp only once the pair is stored
    ini.Save(file.TemporaryPath());
}

// Receives the image and its trailer into file and verifies them; raises on every failure.
void ReceiveImage(DeviceLink& link, CaptureFile& file) {
    DeviceState& device = link.state().device;
    const DeviceTimeouts& t = link.timeouts;
    link.SendCommand('R');
    link.SetStatusText(msg::kTransferring);
    if (!SkipLeadingBytes(link, t.skipMs)) {
        // Nothing usable came: ask once more, and take what follows without skipping.
        link.FlushPort();
        link.SendCommand('R');
    }
    if (!link.WaitForReply(0, 1, kImageSize, t.imageMs, kImageSize)) {
        device.TransferAborted = true;
        const size_t got = link.port().BytesAvailable();
        if (got == 0)
            link.RaiseDeviceError(msg::kNoAnswer);
        link.RaiseDeviceError(
            msg::kImageIncomplete,
            std::to_string(got) + " of " + std::to_string(kImageSize) + " bytes arrived");
    }
    file.Write(device.receive.data(), kImageSize);
    // A trailer that never came is its own failure: the bytes where it would stand are stale.
    if (!link.WaitForReply(1, 1, kImageSize, t.trailerMs, kTrailerLength)) {
        device.TransferAborted = true;
        link.RaiseDeviceError(msg::kTrailerMissing);
    }
    file.Write(device.receive.data() + kImageSize, kTrailerLength);
    const uint16_t sent =
        static_cast<uint16_t>(device.receive[kImageSize] | (device.receive[kImageSize + 1] << 8));
    const uint16_t computed = ImageChecksum(device.receive.data());
    if (sent != computed)
        link.RaiseDeviceError(msg::kChecksumMismatch);
}

}  // namespace

CaptureEnvironment::CaptureEnvironment()
    : freeBytes(VolumeFreeBytes), now([] { return std::time(nullptr); }) {}

bool SkipLeadingBytes(DeviceLink& link, int windowMs) {
    SerialPort& port = link.port();
    const int64_t deadline = link.clock().NowMs() + windowMs;
    for (;;) {
        while (port.ByteReady()) {
            if (port.PeekByte() >= kFirstImageByte)
                return true;
            port.ReadByte();
        }
        const int64_t now = link.clock().NowMs();
        if (now >= deadline)
            return false;
        port.WaitForInput(static_cast<int>(deadline - now));
    }
}

bool DownloadImage(DeviceLink& link, Prompts& prompts, const CaptureEnvironment& env,
                   const CaptureTarget& target) {
    AppState& state = link.state();
    DeviceLink::Exchange exchange(link);
    link.SetProgress(0);
    const std::string path = target.folder + target.dataFileName;
    const std::string parameterPath = target.folder + target.parameterFileName;
    std::optional<CaptureFile> image;
    std::optional<CaptureFile> parameters;
    try {
        SweepStaleTemporaries(target.folder, env.now());
        const uint64_t free = env.freeBytes(DirectoryPart(path), path);
        if (!RoomForImage(free, ExistingFileSize(path)))
            link.RaiseDeviceError(msg::kDiskFull);
        // Both files of the pair must be replaceable before the recorder is asked for anything.
        CheckReplaceable(path);
        CheckReplaceable(parameterPath);
        image.emplace(path);
        link.SetStatusText(msg::kInitiating);
        ReceiveImage(link, *image);
        image->Finish();
        link.SetStatusText(msg::kComplete);
    } catch (const PortGoneError& gone) {
        // Unplugged mid-transfer: said at once, instead of a time-out blamed on the recorder.
        link.RaisePortGone(gone);
    } catch (...) {
        link.HideStatus();
        throw;
    }
    link.HideStatus();
    if (state.device.TransferAborted)
        return false;

    const std::time_t now = env.now();
    parameters.emplace(parameterPath);
    PrepareParameterFile(state, now, *parameters);
    ReplacePair(*image, *parameters);

    // Stored: only now does the program take the new flight and its names.
    state.currentEntry = 0;
    AdoptCaptureTarget(state, target);
    PrepareForImage(state, path);
    state.flight.date = CutText(FormatProgramDate(now), kDateTimeLimit);
    state.flight.time = CutText(FormatProgramTime(now), kDateTimeLimit);
    // The entry names the file by its whole path, so loading finds it whatever the current
    // folder of the process.
    state.current().dataFileName = path;
    ProcessImage(state, prompts, true, true);
    LoadCurrentFile(state, prompts, false, true, true);
    ReloadFirstEntry(state, prompts);
    return true;
}

bool CaptureFlight(DeviceLink& link, Prompts& prompts, const CaptureEnvironment& env) {
    AppState& state = link.state();
    const std::optional<CaptureTarget> target = AskCaptureTarget(state, prompts);
    if (!target)
        return false;
    link.OpenPort();
    if (!DownloadImage(link, prompts, env, *target))
        return false;
    const DataFileEntry& entry = state.current();
    SetGraphStart(state, prompts, false, entry.startTime);
    SetGraphLength(state, prompts, false, entry.duration);
    return true;
}

}  // namespace orvale
