// The player's settings: volumes, full screen, the drawing scale, the frame
// cap and the keys of every command. They are read at start from
// $XDG_CONFIG_HOME/tether/settings (platform/userfiles.h), a text file of
// "name value" lines, and written back whenever the player changes one in
// the game. The command line wins over the file for the run it starts, and
// is never written to it. A missing file gives the defaults; a broken line
// gives its setting's default and one warning line on standard output. A
// file that is there but cannot be read (its permissions, a pipe or a
// device, far too long) gives the defaults too, is said once and is never
// written over.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

namespace tether {

// What the player can bind keys to: the actions of a level's simulation
// (world/input.h), then what the window does around it.
enum class Command : int {
    up,
    down,
    left,
    right,
    strafeLeft,
    strafeRight,
    leave, // Escape: leave the level
    pause,
    help,
    restart,
    fullscreen,
    musicDown,
    musicUp,
    effectsDown,
    effectsUp,
    ghost, // the raced run's ghost shown or not
    count
};
constexpr int commandCount = static_cast<int>(Command::count);

constexpr int volumeSteps = 10; // volumes run from 0 (silent) to 10 (full)
constexpr int defaultMaxFps = 144;

struct Settings {
    int musicVolume = volumeSteps;
    int effectsVolume = volumeSteps;
    bool fullscreen = true;
    int scale = 1; // the 800 by 600 frame drawn at 1 or 2 times its size
    // Frames a second at most in a level; 0: no cap. By default as many as
    // a fast display shows (144 Hz): a 60 Hz display still gets a fresh
    // frame each time, and the game spares the processor the hundreds of
    // frames a second no display would show.
    int maxFps = defaultMaxFps;
    bool ghost = true; // a map's best run raced as a ghost beside the player's
    std::vector<SDLKey> keys[commandCount]; // each command's keys
    Settings(); // the defaults
};

extern Settings settings; // in force: the file's, then the command line's

// Sets one setting from its text form (value as in the file); the answer
// is empty when the value was taken, else what is wrong with it.
std::string applySetting(Settings& to, const std::string& name, const std::string& value);
// The whole file for these settings, every setting on its line.
std::string settingsText(const Settings& from);
// The file's text with the setting called name set to value: its line
// replaced (or one added at the end), every other line kept as written.
std::string editedSettingsText(
    const std::string& text, const std::string& name, const std::string& value);

// Remembers a setting given on the command line, to be applied over the
// file's; the answer is what is wrong with the value, or empty. Key names
// are not known before SDL starts, so no key is set this way.
std::string overrideSetting(const std::string& name, const std::string& value);
// Reads the settings file (after SDL_Init: key names come from SDL), then
// applies the command line's. Prints one warning line when the file was
// broken.
void loadSettings();
// The setting called name has been changed in `settings` by the player:
// keeps it in the file by editing its line; every other line stays as the
// file holds it when it is written (another copy of the game, or the
// player, may have changed them meanwhile).
void keepSetting(const std::string& name);

// The key a command keeps whatever the file binds: Escape leaves, P
// pauses, F1 shows the controls, so no settings file can shut the player
// in a level. SDLK_UNKNOWN for the commands that have none.
SDLKey fixedKey(Command command);
// Whether key is one of command's keys, its fixed key included.
bool isBound(Command command, SDLKey key);
// The command's keys for the player to read: "Up/W".
std::string keyLabel(Command command);
// A key's name in the settings file ("left_shift"), and back; SDLK_UNKNOWN
// for a name no key has.
std::string keyName(SDLKey key);
SDLKey keyNamed(const std::string& name);

// The settings file; empty when there is no folder for it.
std::string settingsPath();

} // namespace tether
