// A page that drives the web mixer the way the game does (channel groups,
// positions, volumes, pause, streamed tracks, their ends and finished hook)
// and says what went wrong. run.js serves it to headless Chromium.
#include <SDL_mixer.h>
#include <emscripten.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string failures;
int hookCalls = 0;
int stage = 0;
double stageStart = 0;
Mix_Chunk* shot = nullptr;
Mix_Chunk* crash = nullptr;
Mix_Chunk* engine = nullptr;
Mix_Chunk* explosion = nullptr;
Mix_Music* track = nullptr;
Mix_Music* missing = nullptr;
Mix_Music* shortTrack = nullptr; // 0.7 s

void expect(bool ok, const std::string& what)
{
    if (!ok)
        failures += what + "; ";
}

Mix_Chunk* load(const char* path)
{
    return Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
}

double reportNumber(const char* expression)
{
    return EM_ASM_DOUBLE({ return eval(UTF8ToString($0)); }, expression);
}

double channelGain(int channel, const char* ear)
{
    std::string e = "(function(c){return c.volume*c." + std::string(ear)
        + ";})(Module.tetherAudioReport().channels[" + std::to_string(channel) + "])";
    return reportNumber(e.c_str());
}

bool near(double a, double b)
{
    return std::fabs(a - b) < 1e-3;
}

void finished()
{
    ++hookCalls;
}

void finish()
{
    EM_ASM({ Module.mixerCheck = UTF8ToString($0); }, failures.empty() ? "PASS" : failures.c_str());
    std::printf("mixer check: %s\n", failures.empty() ? "PASS" : failures.c_str());
    emscripten_cancel_main_loop();
}

void next()
{
    ++stage;
    stageStart = emscripten_get_now();
}

double stageMs()
{
    return emscripten_get_now() - stageStart;
}

void frame()
{
    switch (stage) {
    case 0: { // as the game starts: before any click on the page
        expect(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) == 0, "open");
        Mix_AllocateChannels(64);
        expect(Mix_GroupChannels(4, 20, 1) == 17, "group shots");
        Mix_GroupChannels(21, 32, 2);
        Mix_GroupChannels(33, 40, 3);
        shot = load("sounds/Vqmachinesgunshot.wav");
        crash = load("sounds/VqCollide.wav");
        engine = load("sounds/VqThrust.wav");
        explosion = load("sounds/Vqexplode.wav");
        expect(shot && crash && engine && explosion, "load the effects");
        expect(load("sounds/none.wav") == nullptr, "a missing sound is no chunk");
        expect(Mix_LoadWAV("sounds/none.wav") == nullptr, "nor by name");
        static const char cutShort[] = "RIFF\x30\0\0\0WAVEfmt \x10\0\0\0\1\0";
        expect(Mix_LoadWAV_RW(SDL_RWFromConstMem(cutShort, sizeof cutShort), 1) == nullptr,
            "a WAV cut short is no chunk");
        if (!shot || !crash || !engine || !explosion)
            return finish();
        Mix_Volume(0, 40);
        expect(Mix_PlayChannelTimed(0, engine, -1, -1) == 0, "engine on channel 0");
        Mix_Pause(0);
        expect(Mix_Playing(0) == 1 && Mix_Paused(0) == 1, "engine paused but playing");
        track = Mix_LoadMUS("music/track1.ogg");
        missing = Mix_LoadMUS("music/none.ogg");
        shortTrack = Mix_LoadMUS("music/short.wav");
        next();
        break;
    }
    case 1: // the page's click lets sound out; the effects are decoded
        if (reportNumber("Module.tetherAudioReport().contextState == 'running'")
            && reportNumber("Module.tetherAudioReport().decoded") >= 4)
            next();
        break;
    case 2: {
        const double started = reportNumber("Module.tetherAudioReport().sourcesStarted");
        int channel = Mix_GroupAvailable(1);
        expect(channel == 4, "first free shot channel");
        expect(Mix_PlayChannelTimed(channel, shot, 0, -1) == 4, "shot plays");
        expect(Mix_SetPosition(4, -90, 0) == 1, "position");
        expect(near(channelGain(4, "left"), 1) && near(channelGain(4, "right"), 0),
            "-90 degrees is all left");
        channel = Mix_GroupAvailable(1);
        expect(channel == 5, "next free shot channel");
        Mix_PlayChannelTimed(channel, shot, 0, -1);
        Mix_SetPosition(5, 45, 127);
        expect(near(channelGain(5, "right"), 128.0 / 255)
                && near(channelGain(5, "left"), (1 - 45 / 89.0) * 128 / 255),
            "45 degrees half way, right ear full");
        expect(Mix_PlayChannelTimed(Mix_GroupAvailable(2), crash, 0, -1) == 21, "first crash");
        Mix_VolumeChunk(explosion, 64);
        Mix_Volume(33, 64);
        Mix_PlayChannelTimed(33, explosion, 0, -1);
        expect(near(channelGain(33, "left"), 0.25), "chunk and channel volumes multiply");
        Mix_Resume(0);
        expect(Mix_Paused(0) == 0 && Mix_Playing(0) == 1, "engine resumed");
        expect(reportNumber("Module.tetherAudioReport().sourcesStarted") - started == 5,
            "5 sources heard");
        next();
        break;
    }
    case 3: // later crashes fill the group; the first one is the oldest
        if (stageMs() < 50)
            return;
        for (int i = 1; i < 12; ++i) {
            const int free = Mix_GroupAvailable(2);
            expect(free == 21 + i, "crash channels in turn");
            Mix_PlayChannelTimed(free, crash, 0, -1);
        }
        expect(Mix_GroupAvailable(2) == -1, "crash group full");
        expect(Mix_GroupOldest(2) == 21, "oldest crash");
        expect(Mix_PlayMusic(track, 0) == 0, "music starts");
        Mix_HookMusicFinished(finished);
        next();
        break;
    case 4: // the one-shot sounds end by themselves; the engine loops on
        if (stageMs() < 3000)
            return;
        expect(Mix_Playing(4) == 0 && Mix_Playing(21) == 0, "one-shot sounds ended");
        expect(Mix_GroupOldest(2) == -1, "no crash left to cut off");
        expect(near(channelGain(4, "right"), 1), "an ended sound's position goes with it");
        expect(Mix_Playing(0) == 1, "engine loops");
        expect(reportNumber("Module.tetherAudioReport().music.paused") == 0, "music plays");
        Mix_PauseMusic();
        Mix_Pause(-1);
        expect(Mix_PlayingMusic() == 1, "paused music still counts as playing");
        expect(Mix_Paused(-1) == 1, "pause all");
        Mix_ResumeMusic();
        Mix_Resume(-1);
        Mix_VolumeMusic(64);
        expect(Mix_FadeOutMusic(500) == 1, "fade starts");
        next();
        break;
    case 5: // the game never sees the music stopped before its hook ran
        if (hookCalls == 0 && stageMs() < 5000) {
            expect(Mix_PlayingMusic() == 1, "music stopped before its hook");
            return;
        }
        expect(hookCalls == 1, "the hook after the fade");
        expect(Mix_PlayingMusic() == 0, "no music after the fade");
        expect(Mix_PlayMusic(missing, 0) == 0, "a missing track starts as any");
        next();
        break;
    case 6: // its load fails: it ends at once, and is not tried again
        if (hookCalls == 1 && stageMs() < 5000)
            return;
        expect(hookCalls == 2, "the hook after a missing track");
        expect(Mix_PlayingMusic() == 0, "the missing track is over");
        expect(Mix_PlayMusic(missing, 0) == -1, "the missing track is not tried again");
        expect(Mix_PlayMusic(shortTrack, 2) == 0, "a short track twice");
        next();
        break;
    case 7: // it plays out by itself, twice, then the hook runs once
        if (hookCalls == 2 && stageMs() < 10000)
            return;
        expect(hookCalls == 3, "the hook after a track played out");
        expect(stageMs() > 1300, "played twice through before its end");
        finish();
        break;
    }
}

} // namespace

int main()
{
    emscripten_set_main_loop(frame, 0, 0);
    return 0;
}
