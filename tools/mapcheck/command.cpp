#include "command.h"

#include "check.h"

#ifndef TETHER_VERSION
#define TETHER_VERSION "dev"
#endif

namespace mapcheck {

namespace {

const char* const usage = "usage: mapcheck [--strict] [--data DATAFILE] MAPLIST|MAP...\n";

const char* const help
    = "Checks the game's content files before a player meets them: the data file,\n"
      "a map list and the maps it names, or single maps. It reads them with the\n"
      "game's own readers and reports, with file and line, what the game would\n"
      "skip, stop at, get wrong or bound. With a data file, each map's start is\n"
      "also played with nobody at the controls: a body that draws the drifting\n"
      "ship in within 10 s, or an enemy that reaches it within 5 s, is reported.\n"
      "\n"
      "  --data DATAFILE  check this data file first; maps are checked against it\n"
      "  --strict         warnings count as errors\n"
      "  --help           show this and exit\n"
      "  --version        show the version and exit\n"
      "\n"
      "A file named \"maplist\" is read as a map list, anything else as a map.\n"
      "Exit status: 0 clean, 1 errors (or warnings with --strict), 2 bad usage.\n";

bool endsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

int runCommand(const std::vector<std::string>& args, std::string& out, std::string& err)
{
    bool strict = false;
    std::string data;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help") {
            out += usage;
            out += help;
            return 0;
        }
        if (a == "--version") {
            out += "tether-mapcheck " TETHER_VERSION "\n";
            return 0;
        }
        if (a == "--strict") {
            strict = true;
        } else if (a == "--data") {
            if (i + 1 >= args.size()) {
                err += "mapcheck: --data needs a file\n" + std::string(usage);
                return 2;
            }
            data = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            err += "mapcheck: unknown option " + escaped(a) + "\n" + usage;
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) {
        err += "mapcheck: no map list or map to check\n" + std::string(usage);
        return 2;
    }

    Checker checker;
    if (!data.empty()) {
        const auto slash = data.rfind('/');
        checker.checkData(data, slash == std::string::npos ? "." : data.substr(0, slash));
    }
    for (const std::string& path : files) {
        if (endsWith(path, "maplist"))
            checker.checkMapList(path);
        else
            checker.checkMap(path);
    }
    for (const Finding& f : checker.findings())
        out += format(f) + "\n";
    const int errors = checker.errorCount();
    const int warnings = static_cast<int>(checker.findings().size()) - errors;
    out += std::to_string(errors) + (errors == 1 ? " error, " : " errors, ")
        + std::to_string(warnings) + (warnings == 1 ? " warning\n" : " warnings\n");
    return errors > 0 || (strict && warnings > 0) ? 1 : 0;
}

} // namespace mapcheck
