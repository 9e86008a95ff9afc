// The numbered texts of the recorder link: errors it raises and the status lines it shows.
#pragma once

#include <string>

namespace orvale {

namespace msg {
constexpr int kChecksumMismatch = 25112;
constexpr int kDiskFull = 25117;
constexpr int kUserAborted = 25118;
constexpr int kPortError = 25123;
// Ours: the recorder's silences are told apart instead of passing without a word.
constexpr int kNoAnswer = 25130;
constexpr int kImageIncomplete = 25131;
constexpr int kTrailerMissing = 25132;
constexpr int kSensorBlockIncomplete = 25133;
constexpr int kNoReadableRecords = 25134;
constexpr int kPortGone = 25135;

constexpr int kAttempting = 27001;
constexpr int kEstablished = 27002;
constexpr int kInitiating = 27007;
constexpr int kTransferring = 27008;
constexpr int kComplete = 27009;
}  // namespace msg

// The text of a message number; an unknown number gives "Message <id>" so that a slip shows up
// instead of an empty box.
std::string MessageTable(int id);

}  // namespace orvale
