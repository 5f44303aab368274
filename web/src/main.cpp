// Tether in the browser: the page's entry. Reads the arguments the page
// passes (a replay to play back), moves into the game's folder, then lets
// the browser run the game's screens one frame at a time (main/program.h);
// a blocking loop would freeze the page. A page hidden or left pauses the
// level, as a window losing focus does on the desktop.
#include "main/commands.h"
#include "main/options.h"
#include "main/playback.h"
#include "main/program.h"
#include "main/recorder.h"

#include <emscripten.h>

#include <cstdio>
#include <unistd.h>

namespace {

tether::Program program;

EM_JS(void, tellPageGameEnded, (const char* message), {
    if (Module.tetherEnded)
        Module.tetherEnded(UTF8ToString(message));
});

// Whether the page was hidden or lost the focus since last asked.
EM_JS(int, pageWasLeft, (), {
    if (!Module.tetherWatchingFocus) {
        Module.tetherWatchingFocus = true;
        Module.tetherLeft = false;
        const left = () => { Module.tetherLeft = true; };
        document.addEventListener('visibilitychange', () => { if (document.hidden) left(); });
        window.addEventListener('blur', left);
    }
    const left = Module.tetherLeft;
    Module.tetherLeft = false;
    return left ? 1 : 0;
});

void runFrame()
{
    if (pageWasLeft() && std::holds_alternative<tether::LevelInPlay>(program.screen))
        tether::levelRequests.pause = true;
    if (tether::programFrame(program))
        return;
    emscripten_cancel_main_loop();
    const tether::ProgramEnd end = program.end.value_or(tether::ProgramEnd {});
    std::fputs(end.message.c_str(), stdout);
    std::fflush(stdout);
    tellPageGameEnded(end.message.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    switch (tether::readCommandLine(argc, argv)) {
    case tether::CommandLine::answered: return 0;
    case tether::CommandLine::badUsage: return 2;
    case tether::CommandLine::play: break;
    }
    if (chdir("/game") != 0)
        std::puts("The game's files are missing from the page");
    tether::rememberDataFile();
    program = tether::replayToPlay.empty() ? tether::gameProgram() : tether::playbackProgram();
    // The browser calls each frame as it paints: no frame rate of our own.
    emscripten_set_main_loop(runFrame, 0, 0);
    return 0;
}
