// Every command of the desktop program runs through here. An exception that a command raises (a
// file that cannot be written, a damaged file) ends the command and is shown to the flyer in a
// message box, and the program goes back to waiting for the next command. Nothing may be thrown
// through Qt's event loop, which cannot carry exceptions.
#pragma once

#include <functional>

namespace orvale {

class Prompts;

// Runs command; returns false when it ended with an exception, which has then been shown.
bool RunCommand(Prompts& prompts, const std::function<void()>& command);

}  // namespace orvale
