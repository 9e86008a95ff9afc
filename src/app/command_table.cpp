#include "app/command_table.h"

namespace orvale {

const CommandText& CommandNamed(std::string_view name) {
    static const CommandText none{"", "", "", ""};
    for (const CommandText& command : kCommands)
        if (name == command.name)
            return command;
    return none;
}

std::string NotAvailableNote(std::string_view name) {
    const CommandText& command = CommandNamed(name);
    std::string what;
    for (const char* c = command.caption; *c; ++c)
        if (*c != '&')
            what += *c;
    while (!what.empty() && (what.back() == '.' || what.back() == ' '))
        what.pop_back();
    // Picture buttons have no caption; their hint says what they do.
    if (what.empty())
        what = command.hint;
    return what + " is not available yet in this version of Orvale.";
}

}  // namespace orvale
