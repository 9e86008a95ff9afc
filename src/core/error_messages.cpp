#include "core/error_messages.h"

#include "core/text_format.h"

namespace orvale {

void ErrorMessages::Set(const std::string& text) {
    texts[kErrorSlot] = CutText(text, kErrorTextLimit);
}

const std::string& ErrorMessages::Text(int slot) const {
    static const std::string blank = " ";
    if (slot < 0 || slot >= static_cast<int>(texts.size()))
        return blank;
    return texts[static_cast<size_t>(slot)];
}

}  // namespace orvale

#include "core/app_state.h"
#include "core/prompts.h"

namespace orvale {

void ShowError(const AppState& state, Prompts& prompts, int slot) {
    prompts.ShowErrorBox(state.errorMessages.Text(slot), "", "");
}

}  // namespace orvale
