#include "device/message_table.h"

#include <array>
#include <utility>

namespace orvale {

namespace {

const std::array<std::pair<int, const char*>, 15> kMessages{{
    {msg::kChecksumMismatch, "Verification Error - Checksum did not match"},
    {msg::kDiskFull, "Error - Not enough disk space remaining"},
    {msg::kUserAborted, "User aborted transfer"},
    {msg::kPortError, "Comm Port Error - Check port, device, and Windows settings"},
    {msg::kNoAnswer, "Transfer Error - The recorder did not answer"},
    {msg::kImageIncomplete,
     "Transfer Error - The recorder stopped sending before the end of "
     "its memory"},
    {msg::kTrailerMissing, "Verification Error - The checksum after the data never arrived"},
    {msg::kSensorBlockIncomplete,
     "Transfer Error - The sensor readings did not arrive complete; "
     "the previous values are kept"},
    {msg::kNoReadableRecords,
     "Transfer Error - No sensor reading held three digits; the "
     "previous values are kept"},
    {msg::kPortGone, "The Tavix's port went away during the transfer"},
    {msg::kAttempting, "Attempting to Communicate with DAU..."},
    {msg::kEstablished, "Communication Established."},
    {msg::kInitiating, "Initiating Transfer..."},
    {msg::kTransferring, "Transfering Data"},
    {msg::kComplete, "Transfer Complete."},
}};

}  // namespace

std::string MessageTable(int id) {
    for (const auto& [number, text] : kMessages) {
        if (number == id)
            return text;
    }
    return "Message " + std::to_string(id);
}

}  // namespace orvale
