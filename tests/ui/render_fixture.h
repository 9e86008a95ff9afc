// Runs `orvale --render` in the test process, writing into a scratch folder, with its reports
// captured. Tests of the headless renderer derive from it beside QObject.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/render_command.h"
#include "test_image.h"

namespace orvale::test {

inline std::string Sample(const std::string& name) {
    return std::string(ORVALE_SOURCE_DIR) + "/samples/" + name;
}

class RenderScratch {
protected:
    int Render(const std::vector<std::string>& args, std::string& err) {
        std::ostringstream errors;
        const int status = RunRender(args, errors, dir_.path().string() + "/");
        err = errors.str();
        return status;
    }
    std::string Out(const std::string& name) const { return (dir_.path() / name).string(); }

    TempDir dir_;
};

}  // namespace orvale::test
