#include "widgets/command_guard.h"

#include <exception>

#include "core/prompts.h"

namespace orvale {

bool RunCommand(Prompts& prompts, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        prompts.ShowWarning(error.what());
    } catch (...) {
        prompts.ShowWarning("The command stopped on an unexpected error.");
    }
    return false;
}

}  // namespace orvale
