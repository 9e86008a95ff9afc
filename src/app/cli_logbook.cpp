#include "app/cli_logbook.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "app/cli_options.h"
#include "app/logbook.h"

namespace orvale {

int RunLogbookCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const std::string& programDirectory) {
    bool json = false, csv = false;
    // Feet unless asked: a script's columns do not change with the desktop's setting.
    Units units = Units::Feet;
    std::vector<std::string> folders;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--units") {
            const std::optional<Units> u =
                i + 1 < args.size() ? ParseUnits(args[++i]) : std::nullopt;
            if (!u) {
                err << "orvale-cli logbook: --units needs ft or m\n" << OwnUsage(kLogbookUsage);
                return 2;
            }
            units = *u;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--csv") {
            csv = true;
        } else if (a.rfind("--", 0) == 0) {
            err << "orvale-cli logbook: unknown option " << a << "\n" << OwnUsage(kLogbookUsage);
            return 2;
        } else {
            folders.push_back(a);
        }
    }
    if (folders.empty() || (json && csv)) {
        err << "orvale-cli logbook: "
            << (folders.empty() ? "name a folder of flights" : "--json or --csv, not both") << "\n"
            << OwnUsage(kLogbookUsage);
        return 2;
    }
    int status = 0;
    for (const std::string& folder : folders) {
        std::error_code ec;
        if (!std::filesystem::is_directory(folder, ec)) {
            err << "orvale-cli: " << (folder.empty() ? "''" : folder) << ": not a folder\n";
            return 1;
        }
    }
    const Logbook book = ReadLogbook(folders, programDirectory);
    for (const LogbookFailure& f : book.failures) {
        err << "orvale-cli: " << f.path << ": " << f.reason << "\n";
        status = 1;
    }
    out << (json  ? LogbookJson(book, units)
            : csv ? LogbookCsv(book, units)
                  : LogbookText(book, units));
    return status;
}

}  // namespace orvale
