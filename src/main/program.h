// The program's screens as one state machine: the title, a level in play,
// its pause screen (the controls too), the victory and game-over screens,
// and a replay played back. main calls programFrame once per displayed
// frame until the game ends; no screen loops on its own. A screen that has
// nothing to do until the player acts, or until its time comes, says what
// the next frame waits for, and the wait happens at the top of the frame,
// in one place: sleeping, never spinning a core.
#pragma once

#include "platform/eventqueue.h"
#include "screens/level.h"
#include "screens/pause.h"
#include "screens/playback.h"
#include "screens/programend.h"
#include "screens/titlescreen.h"

#include <SDL.h>

#include <optional>
#include <variant>

namespace tether {

struct LevelInPlay { };

// A victory or game-over screen; after a playback's, the game ends with the
// playback's status.
struct LevelEndScreen {
    EndScreen endScreen;
    bool afterPlayback = false;
    int playbackStatus = 0;
};

// A map that cannot be played, said in the window; then the game ends
// (status 1).
struct MapRefused {
    EndScreen screen;
    ProgramEnd end; // status 1, and what is still to be said
};

struct Program {
    std::variant<std::monostate, TitleState, LevelInPlay, PauseScreen, LevelEndScreen, Playback,
        MapRefused>
        screen;
    FrameWait wait;
    std::optional<ProgramEnd> end; // set: the game ends after this frame
};

// The game brought up and its title shown: level after level until the
// player quits.
Program gameProgram();
// The game brought up to play replayToPlay back (screens/playback.h).
Program playbackProgram();
// Waits as the last frame asked, then runs one frame of the current
// screen; false once the game has ended (program.end tells how).
bool programFrame(Program& program);

} // namespace tether
