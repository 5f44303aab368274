// Tether in the browser: the page's entry. Reads the arguments the page
// passes (a replay to play back), moves into the game's folder, then lets
// the browser run the game's screens one frame at a time (main/program.h);
// a blocking loop would freeze the page. A page hidden or left pauses the
// level, as a window losing focus does on the desktop.
#include "browserpad.h"
#include "content/tuning.h"
#include "content/worldinuse.h"
#include "main/options.h"
#include "main/program.h"
#include "platform/frametimes.h"
#include "platform/keyboard.h"
#include "screens/commands.h"
#include "screens/frame.h"
#include "screens/playback.h"
#include "screens/recorder.h"
#include "world/kinds.h"
#include "world/object.h"
#include "world/spring.h"
#include "world/world.h"

#include <emscripten.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

tether::Program program;
// The one world the game's levels are played in. It is put in use for good
// when main starts: main returns while the browser goes on calling frames.
tether::World programWorld(tether::gameTuning());
bool mainStarted = false; // the page may ask for the probe as soon as the game loads

// clang-format off
EM_JS(void, tellPageGameEnded, (const char* message), {
    if (Module.tetherEnded)
        Module.tetherEnded(UTF8ToString(message));
});
// clang-format on

// Whether the page was hidden or lost the focus since last asked.
// clang-format off
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
// clang-format on

const char* screenName()
{
    if (program.end)
        return "ended";
    if (std::holds_alternative<tether::TitleState>(program.screen))
        return "title";
    if (std::holds_alternative<tether::LevelInPlay>(program.screen))
        return "level";
    if (std::holds_alternative<tether::PauseScreen>(program.screen))
        return "pause";
    if (std::holds_alternative<tether::LevelEndScreen>(program.screen))
        return "end";
    if (std::holds_alternative<tether::Playback>(program.screen))
        return "playback";
    return "none";
}

void runFrame()
{
    tether::pollBrowserPad();
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

// Enemies held by the ship's ropes: an enemy at one end of a rope.
int caughtCount(const tether::World& world)
{
    int caught = 0;
    for (const tether::Spring* spring : world.springs)
        for (const tether::Object* end : {spring->endA, spring->endB})
            caught += end && end->type == tether::typeEnemy ? 1 : 0;
    return caught;
}

// The enemy nearest the ship (in a straight line, not across the wrap), or none.
const tether::Object* nearestEnemy(const tether::World& world, const tether::Object& ship)
{
    const tether::Object* nearest = nullptr;
    double best = 0;
    for (const tether::Object* enemy : world.enemies) {
        if (enemy->type != tether::typeEnemy)
            continue;
        const double dx = enemy->x - ship.x, dy = enemy->y - ship.y;
        const double d = dx * dx + dy * dy;
        if (!nearest || d < best) {
            nearest = enemy;
            best = d;
        }
    }
    return nearest;
}

} // namespace

// What the page's tests read of the game: the screen shown, and the ship,
// its hooks and the camera in world units, the ship chosen (the page's
// touch controls steer by it), the enemies caught on ropes, the hooks
// holding something, the nearest enemy, and the title's ship and map
// choices (-1 off the title), as JSON.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tether_probe()
{
    static std::string json;
    // Before main the world is not in use yet: nothing to read.
    if (!mainStarted)
        return "{\"screen\":\"none\"}";
    char line[640];
    const tether::World& world = tether::world();
    const auto* s = world.ship;
    const auto* hook = world.leftGrapHook;
    const tether::Object* nearest = s ? nearestEnemy(world, *s) : nullptr;
    const auto* title = std::get_if<tether::TitleState>(&program.screen);
    std::snprintf(line, sizeof line,
        "{\"screen\":\"%s\",\"ship\":%s,\"x\":%.3f,\"y\":%.3f,\"vx\":%.4f,"
        "\"vy\":%.4f,\"angle\":%.4f,\"cameraX\":%d,\"cameraY\":%d,\"leftHook\":%s,"
        "\"hookX\":%.3f,\"hookY\":%.3f,\"mouseX\":%d,\"mouseY\":%d,\"chosenShip\":%d,"
        "\"caught\":%d,\"grappling\":%d,\"enemyX\":%.1f,\"enemyY\":%.1f,\"menuShip\":%d,"
        "\"menuMap\":%d}",
        screenName(), s ? "true" : "false", s ? s->x : 0.0, s ? s->y : 0.0, s ? s->vx : 0.0,
        s ? s->vy : 0.0, s ? s->angle : 0.0, tether::cameraX, tether::cameraY,
        hook ? "true" : "false", hook ? hook->x : 0.0, hook ? hook->y : 0.0, tether::mouseX,
        tether::mouseY, world.chosenShip, caughtCount(world),
        int(world.leftHookGrappling) + int(world.rightHookGrappling), nearest ? nearest->x : 0.0,
        nearest ? nearest->y : 0.0, title ? title->menu.shipChoice : -1,
        title ? title->menu.mapChoice : -1);
    json = line;
    return json.c_str();
}

// The frames' work so far: count, median and 95th percentile in ms, as JSON.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tether_frame_report()
{
    static std::string json;
    json = tether::frameTimesReport();
    return json.c_str();
}

int main(int argc, char** argv)
{
    tether::worldInUse() = &programWorld;
    mainStarted = true;
    switch (tether::readCommandLine(argc, argv)) {
    case tether::CommandLine::answered: return 0;
    case tether::CommandLine::badUsage: return 2;
    case tether::CommandLine::play: break;
    }
    if (chdir("/game") != 0)
        std::puts("The game's files are missing from the page");
    tether::rememberDataFile();
    tether::startKeyboard();
    program = tether::replayToPlay.empty() ? tether::gameProgram() : tether::playbackProgram();
    // The browser calls each frame as it paints: no frame rate of our own.
    emscripten_set_main_loop(runFrame, 0, 0);
    return 0;
}
