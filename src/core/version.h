// The program's version text ("1.04"). The build writes it from the project's version, the same
// one the Debian package carries, so the window caption, `--version` and the package agree.
#pragma once

namespace orvale {

extern const char kVersionText[];

}  // namespace orvale
