// mapcheck: checks the game's content files before a player meets them.
//   mapcheck [--data DATAFILE] MAPLIST|MAP...
// A file named "maplist" is read as a map list (and its maps are checked);
// anything else as a map. Exit status 1 when there is an error.
#include "check.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    mapcheck::Checker checker;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--data") == 0) {
        const std::string data = argv[2];
        const auto slash = data.rfind('/');
        checker.checkData(data, slash == std::string::npos ? "." : data.substr(0, slash));
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: mapcheck [--data DATAFILE] MAPLIST|MAP...\n");
        return 2;
    }
    for (int i = first; i < argc; ++i) {
        const std::string path = argv[i];
        const bool isList = path.size() >= 7 && path.compare(path.size() - 7, 7, "maplist") == 0;
        if (isList)
            checker.checkMapList(path);
        else
            checker.checkMap(path);
    }
    for (const mapcheck::Finding& f : checker.findings())
        std::printf("%s\n", mapcheck::format(f).c_str());
    const int errors = checker.errorCount();
    std::printf("%d error%s, %d warning%s\n", errors, errors == 1 ? "" : "s",
        static_cast<int>(checker.findings().size()) - errors,
        checker.findings().size() - errors == 1 ? "" : "s");
    return errors ? 1 : 0;
}
