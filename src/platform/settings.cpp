// The settings as a table of named entries, each reading its value from
// text and writing it back, so the file, the command line and the game's
// own changes all go through one definition.
#include "platform/settings.h"

#include "platform/keyboard.h"
#include "platform/userfiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <utility>

namespace tether {

Settings settings;

Settings::Settings()
{
    auto bind = [this](Command command, std::vector<SDLKey> keysOfIt) {
        keys[static_cast<int>(command)] = std::move(keysOfIt);
    };
    bind(Command::up, {SDLK_UP, SDLK_w});
    bind(Command::down, {SDLK_DOWN, SDLK_s});
    bind(Command::left, {SDLK_LEFT, SDLK_a});
    bind(Command::right, {SDLK_RIGHT, SDLK_d});
    bind(Command::strafeLeft, {SDLK_q});
    bind(Command::strafeRight, {SDLK_e});
    bind(Command::leave, {SDLK_ESCAPE});
    bind(Command::pause, {SDLK_p});
    bind(Command::help, {SDLK_F1});
    bind(Command::restart, {SDLK_r});
    bind(Command::fullscreen, {SDLK_F11});
    bind(Command::musicDown, {SDLK_9});
    bind(Command::musicUp, {SDLK_0});
    bind(Command::effectsDown, {SDLK_MINUS});
    bind(Command::effectsUp, {SDLK_EQUALS});
    bind(Command::ghost, {SDLK_g});
}

namespace {

constexpr int maxKeysPerCommand = 4;
constexpr int maxSettingsLines = 1000; // a longer file is not ours

// The file's names of the commands, in Command's order.
const char* const commandNames[commandCount]
    = {"up", "down", "left", "right", "strafe_left", "strafe_right", "leave", "pause", "help",
        "restart", "fullscreen", "music_down", "music_up", "effects_down", "effects_up", "ghost"};

struct Entry {
    std::string name;
    std::function<std::string(Settings&, const std::string&)> read;
    std::function<std::string(const Settings&)> write;
};

// Text from the file as a message may quote it: printable, and short.
std::string shownText(const std::string& text)
{
    constexpr size_t longest = 24;
    std::string shown;
    for (char c : text.substr(0, longest))
        shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    return "'" + shown + (text.size() > longest ? "...'" : "'");
}

std::string readWholeNumber(int& to, const std::string& text, int lowest, int highest)
{
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || n < lowest || n > highest)
        return shownText(text) + " is not a whole number from " + std::to_string(lowest) + " to "
            + std::to_string(highest);
    to = static_cast<int>(n);
    return "";
}

Entry number(const char* name, int Settings::*field, int lowest, int highest)
{
    return {name,
        [=](Settings& s, const std::string& text) {
            return readWholeNumber(s.*field, text, lowest, highest);
        },
        [=](const Settings& s) { return std::to_string(s.*field); }};
}

Entry yesNo(const char* name, bool Settings::*field)
{
    return {name,
        [=](Settings& s, const std::string& text) {
            if (text != "yes" && text != "no")
                return shownText(text) + " is neither yes nor no";
            s.*field = text == "yes";
            return std::string();
        },
        [=](const Settings& s) { return std::string(s.*field ? "yes" : "no"); }};
}

Entry keysOf(int command)
{
    return {std::string("key_") + commandNames[command],
        [=](Settings& s, const std::string& text) {
            std::istringstream words(text);
            std::vector<SDLKey> keys;
            std::string word;
            while (words >> word) {
                const SDLKey key = keyNamed(word);
                if (key == SDLK_UNKNOWN)
                    return "no key is called " + shownText(word);
                keys.push_back(key);
            }
            if (keys.empty() || keys.size() > maxKeysPerCommand)
                return shownText(text) + " is not one to " + std::to_string(maxKeysPerCommand)
                    + " key names";
            s.keys[command] = keys;
            return std::string();
        },
        [=](const Settings& s) {
            std::string names;
            for (SDLKey key : s.keys[command])
                names += (names.empty() ? "" : " ") + keyName(key);
            return names;
        }};
}

// Every setting, in the order the file lists them.
const std::vector<Entry>& entries()
{
    static const std::vector<Entry> table = [] {
        std::vector<Entry> all = {
            number("music_volume", &Settings::musicVolume, 0, volumeSteps),
            number("effects_volume", &Settings::effectsVolume, 0, volumeSteps),
            yesNo("fullscreen", &Settings::fullscreen),
            number("scale", &Settings::scale, 1, 2),
            number("max_fps", &Settings::maxFps, 0, 1000),
            yesNo("ghost", &Settings::ghost),
        };
        for (int command = 0; command < commandCount; ++command)
            all.push_back(keysOf(command));
        return all;
    }();
    return table;
}

const Entry* findEntry(const std::string& name)
{
    for (const Entry& entry : entries())
        if (entry.name == name)
            return &entry;
    return nullptr;
}

Settings savedSettings; // what the file holds, and is written back
std::vector<std::pair<std::string, std::string>> commandLine; // applied over the file

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Reads the file's text into to; the answer tells the first broken line
// and how many there were, or is empty.
std::string readSettingsText(Settings& to, const std::string& text)
{
    std::istringstream lines(text);
    std::string line, firstProblem;
    int lineNumber = 0, broken = 0;
    while (std::getline(lines, line)) {
        if (++lineNumber > maxSettingsLines)
            return "more than " + std::to_string(maxSettingsLines) + " lines";
        line = trimmed(line);
        if (line.empty() || line[0] == '#')
            continue;
        const size_t space = line.find_first_of(" \t");
        const std::string name = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : trimmed(line.substr(space));
        const Entry* entry = findEntry(name);
        const std::string wrong
            = entry ? entry->read(to, value) : "no setting is called " + shownText(name);
        if (!wrong.empty() && broken++ == 0)
            firstProblem = "line " + std::to_string(lineNumber) + ": " + wrong;
    }
    if (broken == 0)
        return "";
    return firstProblem + (broken > 1 ? " (and " + std::to_string(broken - 1) + " more)" : "");
}

// What a new file opens with, for the player who reads it.
std::string settingsHeader()
{
    return "# Tether's settings, one \"name value\" a line; volumes run from 0 to "
        + std::to_string(volumeSteps) + ",\n# keys go by name, up to "
        + std::to_string(maxKeysPerCommand) + " a command; max_fps caps the frames a second\n"
        + "# in a level (" + std::to_string(defaultMaxFps) + " unless set, 0: no cap).\n";
}

} // namespace

std::string applySetting(Settings& to, const std::string& name, const std::string& value)
{
    const Entry* entry = findEntry(name);
    return entry ? entry->read(to, value) : "no setting is called " + shownText(name);
}

std::string settingsText(const Settings& from)
{
    std::string text = settingsHeader();
    for (const Entry& entry : entries())
        text += entry.name + " " + entry.write(from) + "\n";
    return text;
}

std::string editedSettingsText(const std::string& text, const std::string& name, const std::string& value)
{
    // The line the reader takes is the last one naming the setting (a later
    // line wins), so that is the one replaced; every other line, comments,
    // unknown names and lines the reader refused included, stays as written.
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    const std::string replacement = name + " " + value;
    for (size_t i = lines.size(); i-- > 0;) {
        const std::string line = trimmed(lines[i]);
        if (line.substr(0, line.find_first_of(" \t")) != name)
            continue;
        const bool crlf = !lines[i].empty() && lines[i].back() == '\r';
        lines[i] = replacement + (crlf ? "\r" : "");
        std::string edited;
        for (size_t j = 0; j < lines.size(); ++j)
            edited += lines[j] + (j + 1 < lines.size() || text.back() == '\n' ? "\n" : "");
        return edited;
    }
    return text + (text.empty() || text.back() == '\n' ? "" : "\n") + replacement + "\n";
}

std::string overrideSetting(const std::string& name, const std::string& value)
{
    Settings scratch;
    const std::string wrong = applySetting(scratch, name, value);
    if (wrong.empty())
        commandLine.emplace_back(name, value);
    return wrong;
}

std::string settingsPath()
{
    const std::string folder = configFolder();
    return folder.empty() ? "" : folder + "/settings";
}

namespace {

bool fileRefused = false; // the file is there but was not read: never written over

// Says once a run why a change made in the game is not kept.
void sayNotSavedOnce(const std::string& why)
{
    static bool said = false;
    if (said)
        return;
    said = true;
    std::printf("Settings not saved: %s\n", why.c_str());
    std::fflush(stdout);
}

} // namespace

void loadSettings()
{
    savedSettings = Settings();
    fileRefused = false;
    const std::string path = settingsPath();
    std::string text, problem;
    const FileRead read = path.empty() ? FileRead::missing : readPlayerFile(path, text);
    if (read == FileRead::ok)
        problem = readSettingsText(savedSettings, text);
    else if (read != FileRead::missing) { // missing: the first run, the defaults silently
        fileRefused = true;
        std::printf("Settings file %s %s: the defaults stand in, and it is left as it is "
                    "(changes made in the game are not saved)\n",
            path.c_str(), whyUnread(read, maxPlayerFileBytes).c_str());
        std::fflush(stdout);
    }
    if (!problem.empty()) {
        std::printf("Settings file %s: %s; the defaults stand in\n", path.c_str(), problem.c_str());
        std::fflush(stdout);
    }
    settings = savedSettings;
    for (const auto& [name, value] : commandLine)
        applySetting(settings, name, value);
}

void keepSetting(const std::string& name)
{
    const Entry* entry = findEntry(name);
    if (!entry)
        return;
    const std::string path = settingsPath();
    if (path.empty()) {
        sayNotSavedOnce("no configuration folder (HOME and XDG_CONFIG_HOME are unset)");
        return;
    }
    if (fileRefused) // said at start-up
        return;
    // Another copy of the game may have changed other settings since this
    // one read the file: read it again under the lock and change only this
    // setting in it.
    PlayerFileLock lock(path);
    if (lock.busy) {
        std::printf("Settings not saved: %s\n", anotherCopySaving);
        std::fflush(stdout);
        return;
    }
    std::string text;
    const FileRead read = readPlayerFile(path, text);
    if (read != FileRead::ok && read != FileRead::missing) {
        fileRefused = true;
        sayNotSavedOnce(path + " " + whyUnread(read, maxPlayerFileBytes) + "; it is left as it is");
        return;
    }
    // A new file holds only what the player changed: the defaults of the
    // rest may improve in a later version of the game.
    const std::string edited
        = editedSettingsText(read == FileRead::missing ? settingsHeader() : text, name,
            entry->write(settings));
    Settings onDisk;
    readSettingsText(onDisk, edited);
    const std::string wrong = writeFileSafely(path, edited);
    if (!wrong.empty()) {
        std::printf("Settings not saved: %s\n", wrong.c_str());
        std::fflush(stdout);
        return;
    }
    savedSettings = onDisk;
}

SDLKey fixedKey(Command command)
{
    switch (command) {
    case Command::leave: return SDLK_ESCAPE;
    case Command::pause: return SDLK_p;
    case Command::help: return SDLK_F1;
    default: return SDLK_UNKNOWN;
    }
}

bool isBound(Command command, SDLKey key)
{
    if (key != SDLK_UNKNOWN && key == fixedKey(command))
        return true;
    for (SDLKey bound : settings.keys[static_cast<int>(command)])
        if (bound == key)
            return true;
    return false;
}

std::string keyLabel(Command command)
{
    std::string label;
    std::vector<SDLKey> keys = settings.keys[static_cast<int>(command)];
    const SDLKey fixed = fixedKey(command);
    if (fixed != SDLK_UNKNOWN && std::find(keys.begin(), keys.end(), fixed) == keys.end())
        keys.insert(keys.begin(), fixed);
    for (SDLKey key : keys) {
        std::string name = nameOfKey(key);
        for (size_t i = 0; i < name.size(); ++i)
            if (i == 0 || name[i - 1] == ' ')
                name[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
        label += (label.empty() ? "" : "/") + name;
    }
    return label;
}

std::string keyName(SDLKey key)
{
    std::string name = nameOfKey(key);
    for (char& c : name)
        if (c == ' ')
            c = '_';
    return name;
}

SDLKey keyNamed(const std::string& name)
{
    std::string wanted;
    for (char c : name)
        wanted += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int k = 1; k < keyCodeBound(); ++k) {
        const SDLKey key = static_cast<SDLKey>(k);
        if (keyName(key) == wanted && wanted != "unknown_key")
            return key;
    }
    return SDLK_UNKNOWN;
}

} // namespace tether
