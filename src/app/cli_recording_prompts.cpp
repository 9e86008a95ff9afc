#include "app/cli_recording_prompts.h"

#include "app/json_writer.h"

namespace orvale {

std::string ReportsJson(const std::vector<ErrorBoxReport>& reports) {
    JsonArray array;
    for (const ErrorBoxReport& r : reports) {
        JsonObject o;
        o.Add("message", r.message).Add("line2", r.line2).Add("line3", r.line3);
        array.AddRaw(o.Text());
    }
    return array.Text();
}

}  // namespace orvale
