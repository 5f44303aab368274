// The game's music in the browser: SDL_mixer 1.2's music calls, each track
// streamed by the page from its file beside it (web/mixer.js) rather than
// packed with the game, so that the title shows before any music arrives.
//
// The finished hook: the page notes a track's end when its audio element
// says so (or its fade is over); an animation-frame callback polls the note
// once a browser frame and calls the hook, between the game's frames, never
// inside an audio event, once per ended track. Until then the track still
// counts as playing, so that the game never sees music stopped without its
// hook having run, as with SDL_mixer on the desktop.
#include "webaudio.h"

#include <SDL_mixer.h>
#include <emscripten/html5.h>

#include <algorithm>

struct _Mix_Music {
    int trackId;
};

namespace {

void (*musicFinishedHook)() = nullptr;
int musicVolume = MIX_MAX_VOLUME;
bool polling = false;

void deliverMusicFinished()
{
    if (tetherAudioTakeMusicEnded() && musicFinishedHook)
        musicFinishedHook();
}

EM_BOOL pollMusicFinished(double, void*)
{
    deliverMusicFinished();
    return EM_TRUE;
}

} // namespace

extern "C" {

Mix_Music* Mix_LoadMUS(const char* file)
{
    if (!file) {
        Mix_SetError("No music file named");
        return nullptr;
    }
    if (!polling) {
        emscripten_request_animation_frame_loop(pollMusicFinished, nullptr);
        polling = true;
    }
    return new _Mix_Music {tetherAudioLoadMusic(file)};
}

void Mix_FreeMusic(Mix_Music* music)
{
    delete music;
}

// Loops as SDL_mixer 1.2 counts them: 0 and 1 play once, -1 forever.
int Mix_PlayMusic(Mix_Music* music, int loops)
{
    if (!music) {
        Mix_SetError("music parameter was NULL");
        return -1;
    }
    if (!tetherAudioPlayMusic(music->trackId, loops == 0 ? 1 : loops)) {
        Mix_SetError("Music file could not be played");
        return -1;
    }
    return 0;
}

// 1 while a track is started and its end not yet told, paused or not.
int Mix_PlayingMusic()
{
    return tetherAudioMusicActive();
}

void Mix_PauseMusic()
{
    tetherAudioPauseMusic(1);
}

void Mix_ResumeMusic()
{
    tetherAudioPauseMusic(0);
}

// Ends the track now; as in SDL_mixer 1.2, the finished hook follows.
int Mix_HaltMusic()
{
    tetherAudioHaltMusic(1);
    return 0;
}

int Mix_VolumeMusic(int volume)
{
    const int before = musicVolume;
    if (volume >= 0) {
        musicVolume = std::min(volume, MIX_MAX_VOLUME);
        tetherAudioMusicVolume(double(musicVolume) / MIX_MAX_VOLUME);
    }
    return before;
}

// 1 when a fade has begun; the hook follows its end as a track's end.
int Mix_FadeOutMusic(int ms)
{
    if (!tetherAudioMusicActive())
        return 0;
    if (ms <= 0)
        return Mix_HaltMusic() + 1;
    tetherAudioFadeOutMusic(ms);
    return 1;
}

void Mix_HookMusicFinished(void (*finished)())
{
    musicFinishedHook = finished;
}

} // extern "C"
