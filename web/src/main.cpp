// Tether in the browser: the page's entry. Moves into the game's folder,
// then lets the browser run the game's screens one frame at a time
// (main/program.h); a blocking loop would freeze the page.
#include "main/program.h"
#include "main/recorder.h"

#include <emscripten.h>

#include <cstdio>
#include <unistd.h>

namespace {

tether::Program program;

void runFrame()
{
    if (tether::programFrame(program))
        return;
    emscripten_cancel_main_loop();
    const tether::ProgramEnd end = program.end.value_or(tether::ProgramEnd {});
    std::fputs(end.message.c_str(), stdout);
    std::fflush(stdout);
}

} // namespace

int main()
{
    if (chdir("/game") != 0)
        std::puts("The game's files are missing from the page");
    tether::rememberDataFile();
    program = tether::gameProgram();
    emscripten_set_main_loop(runFrame, 0, 0);
    return 0;
}
