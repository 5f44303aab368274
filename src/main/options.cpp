// The command line's options as a table, and reading argv against it.
#include "main/options.h"

#include "main/startup.h"
#include "platform/settings.h"
#include "screens/ghost.h"
#include "screens/playback.h"
#include "screens/recorder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tether {

namespace {

// Takes the option's value (null for a switch) and fills its setting, or
// tells what is wrong with the value.
using Apply = std::function<std::string(const char* value)>;

struct Option {
    const char* name;
    const char* value; // what the value is called in the help ("N", "FILE"); null: a switch
    const char* help;
    Apply apply;
    bool answers = false; // prints something and ends the run (--help, --version)
};

Apply setFlag(bool& setting, bool to)
{
    return [&setting, to](const char*) {
        setting = to;
        return std::string();
    };
}

// An option that stands for a setting of platform/settings.h, over the file's
// for this run: given its value, or always the value fixed.
Apply setting(const char* name, const char* fixed = nullptr)
{
    return
        [name, fixed](const char* value) { return overrideSetting(name, fixed ? fixed : value); };
}

// A file named on the command line, kept absolute: the game moves into its
// own folder before it reads or writes it.
Apply setPath(std::string& setting)
{
    return [&setting](const char* text) {
        std::error_code error;
        const std::filesystem::path path = std::filesystem::absolute(text, error);
        if (!*text || error)
            return "'" + std::string(text) + "' is not a file name";
        setting = path.string();
        return std::string();
    };
}

const std::vector<Option>& options();

std::string printUsage(const char*)
{
    std::printf("Usage: tether [OPTION]...\n"
                "Tether, a space action game: catch enemies with two grappling hooks and\n"
                "swing them into suns, black holes and mines.\n\nOptions:\n");
    for (const Option& option : options()) {
        std::string left = option.name;
        if (option.value)
            left = left + " " + option.value;
        std::printf("  %-16s %s\n", left.c_str(), option.help);
    }
    std::printf("\nThe game plays from its own folder (data, maps, images, sounds, music).\n"
                "Settings (volumes, full screen, scale, frame cap, keys) are kept in\n"
                "$XDG_CONFIG_HOME/tether/settings (~/.config/tether/settings without it);\n"
                "the options above win over them for one run. Each map's best time, its\n"
                "last replay and the replay of its best time are kept in\n"
                "$XDG_DATA_HOME/tether (~/.local/share/tether without it).\n");
    return "";
}

std::string printVersion(const char*)
{
    std::printf("tether %s\n", TETHER_VERSION);
    return "";
}

// One entry per option, in the order --help lists them: the name, what its
// value is called (null for a switch), the help line, and what it sets.
const std::vector<Option>& options()
{
    static const std::vector<Option> table = {
        {"--help", nullptr, "show this help and quit", printUsage, true},
        {"--version", nullptr, "show the version and quit", printVersion, true},
        {"--no-sound", nullptr, "play silently, without opening an audio device",
            setFlag(soundEnabled, false)},
        {"--max-fps", "N",
            "draw at most N frames a second in a level (default 144, as a fast\n"
            "                   display shows; 0: no limit);\n"
            "                   below 10 the game itself runs slower (at 5, half as fast)",
            setting("max_fps")},
        {"--scale", "N", "draw the 800x600 picture at N times its size (1 or 2)", setting("scale")},
        {"--window", nullptr, "play in a window", setting("fullscreen", "no")},
        {"--fullscreen", nullptr, "play full screen", setting("fullscreen", "yes")},
        {"--record", "FILE", "write each level's replay to FILE (the last level's stays)",
            setPath(recordPath)},
        {"--replay", "FILE", "play the replay in FILE back, then quit", setPath(replayToPlay)},
        {"--ghost", "FILE", "race the run in FILE: its ghost flies beside the ship on its map",
            setPath(ghostToRace)},
    };
    return table;
}

const Option* findOption(const std::string& name)
{
    for (const Option& option : options())
        if (name == option.name)
            return &option;
    return nullptr;
}

CommandLine usageError(const std::string& what)
{
    std::fprintf(stderr, "tether: %s\nTry 'tether --help' for the options.\n", what.c_str());
    return CommandLine::badUsage;
}

} // namespace

CommandLine readCommandLine(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        // "--name value" or "--name=value".
        std::string name = argv[i];
        const char* value = nullptr;
        const size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = argv[i] + equals + 1;
            name.resize(equals);
        }
        const Option* option = findOption(name);
        if (!option)
            return usageError(name.rfind("-", 0) == 0 ? "unknown option '" + name + "'"
                                                      : "unexpected argument '" + name + "'");
        if (!option->value && value)
            return usageError(name + " takes no value");
        if (option->value && !value) {
            if (i + 1 == argc)
                return usageError(name + " needs a value: " + name + " " + option->value);
            value = argv[++i];
        }
        const std::string wrong = option->apply(value);
        if (!wrong.empty())
            return usageError(name + ": " + wrong);
        if (option->answers)
            return CommandLine::answered;
    }
    return CommandLine::play;
}

} // namespace tether
