// The game's mixer in the browser: the SDL_mixer 1.2 calls the game makes
// for its sound effects (channels, groups, volumes, pause, position), with
// SDL_mixer's meanings, played on the page's Web Audio (web/mixer.js).
// Emscripten's own mixer lacks the groups and fails on chunk volumes and
// positions; these definitions replace it for every name the game uses.
//
// Every channel's state is kept here and timed by the clock: a sound plays
// for its length whether or not the page can be heard yet (before the
// first click, or before its decoding has finished), so the game's
// decisions (a free channel, the oldest one, one crackle at a time) are the
// same on a silent page as on a loud one.
#include "webaudio.h"

#include <SDL_mixer.h>
#include <emscripten.h>

#include <algorithm>
#include <vector>

namespace {

// A loaded effect: the chunk the game holds first, so that its pointer
// leads back here.
struct WebChunk {
    Mix_Chunk chunk;
    int soundId;
    double seconds;
};

struct Channel {
    WebChunk* sound = nullptr;
    bool playing = false;
    bool paused = false;
    int volume = MIX_MAX_VOLUME;
    int tag = -1;
    double startedMs = 0;  // when the current sound began, for the group's oldest
    double resumedMs = 0;  // when it last started or resumed
    double offsetMs = 0;   // how far into its run it was then
    double lengthMs = 0;   // its whole run; negative: endless
    // The positional effect, SDL_mixer's way: each ear's share and the
    // distance's, 0..1; removed when the channel's sound ends.
    double leftEar = 1;
    double rightEar = 1;
    double nearness = 1;
};

std::vector<Channel> channels;
bool opened = false;

double nowMs()
{
    return emscripten_get_now();
}

bool validChannel(int n)
{
    return n >= 0 && n < static_cast<int>(channels.size());
}

void forgetPosition(Channel& c)
{
    c.leftEar = c.rightEar = c.nearness = 1;
}

void sendGains(int n)
{
    const Channel& c = channels[n];
    const int chunkVolume = c.sound ? c.sound->chunk.volume : MIX_MAX_VOLUME;
    const double volume = double(c.volume) * chunkVolume / (MIX_MAX_VOLUME * MIX_MAX_VOLUME);
    tetherAudioSetGains(n, volume, c.leftEar * c.nearness, c.rightEar * c.nearness);
}

double playedMs(const Channel& c)
{
    return c.paused ? c.offsetMs : c.offsetMs + (nowMs() - c.resumedMs);
}

// A sound that has run its length ends here, when someone next asks.
void settle(int n)
{
    Channel& c = channels[n];
    if (c.playing && !c.paused && c.lengthMs >= 0 && playedMs(c) >= c.lengthMs) {
        c.playing = false;
        forgetPosition(c);
        sendGains(n);
    }
}

void halt(int n)
{
    Channel& c = channels[n];
    if (c.playing)
        tetherAudioStop(n);
    c.playing = false;
    c.paused = false;
    forgetPosition(c);
    sendGains(n);
}

void startHeard(int n)
{
    const Channel& c = channels[n];
    const double played = playedMs(c);
    const double left = c.lengthMs < 0 ? -1 : (c.lengthMs - played) / 1000;
    tetherAudioStart(n, c.sound->soundId, played / 1000, left);
}

// SDL_mixer's stereo position: straight ahead both ears are full; turning
// toward one side quiets the far ear, to silence at 90 degrees, and brings
// it back toward 180 (behind). Distance 0 is full volume, 255 silence.
double farEar(int angle)
{
    const int fromAxis = angle <= 90 ? angle : 180 - angle;
    return std::clamp(1.0 - fromAxis / 89.0, 0.0, 1.0);
}

} // namespace

extern "C" {

int Mix_OpenAudio(int, Uint16, int, int)
{
    tetherAudioOpen();
    opened = true;
    if (channels.empty())
        channels.resize(MIX_CHANNELS);
    return 0;
}

void Mix_CloseAudio()
{
    for (int n = 0; n < static_cast<int>(channels.size()); ++n)
        halt(n);
    tetherAudioHaltMusic(0);
    opened = false;
}

int Mix_QuerySpec(int* frequency, Uint16* format, int* channelCount)
{
    if (frequency)
        *frequency = MIX_DEFAULT_FREQUENCY;
    if (format)
        *format = AUDIO_S16LSB;
    if (channelCount)
        *channelCount = 2;
    return opened ? 1 : 0;
}

int Mix_AllocateChannels(int count)
{
    if (count < 0)
        return static_cast<int>(channels.size());
    for (int n = count; n < static_cast<int>(channels.size()); ++n)
        halt(n);
    channels.resize(count);
    return count;
}

Mix_Chunk* Mix_LoadWAV_RW(SDL_RWops* source, int freeSource)
{
    double seconds = 0;
    const int id = tetherAudioLoadChunk(source, freeSource, &seconds);
    if (id == 0) {
        Mix_SetError("Unrecognized sound file type");
        return nullptr;
    }
    WebChunk* loaded = new WebChunk {};
    loaded->chunk.allocated = 1;
    loaded->chunk.volume = MIX_MAX_VOLUME;
    loaded->soundId = id;
    loaded->seconds = seconds;
    return &loaded->chunk;
}

// Emscripten's header makes this a function of its own, not the usual
// macro: defined here, so that its own mixer's chunks never reach ours.
Mix_Chunk* Mix_LoadWAV(const char* file)
{
    return Mix_LoadWAV_RW(SDL_RWFromFile(file, "rb"), 1);
}

void Mix_FreeChunk(Mix_Chunk* chunk)
{
    if (!chunk)
        return;
    for (int n = 0; n < static_cast<int>(channels.size()); ++n)
        if (channels[n].sound && &channels[n].sound->chunk == chunk) {
            halt(n);
            channels[n].sound = nullptr;
        }
    WebChunk* loaded = reinterpret_cast<WebChunk*>(chunk);
    tetherAudioFreeChunk(loaded->soundId);
    delete loaded;
}

int Mix_GroupChannel(int which, int tag)
{
    if (which == -1) {
        for (Channel& c : channels)
            c.tag = tag;
        return static_cast<int>(channels.size());
    }
    if (!validChannel(which))
        return 0;
    channels[which].tag = tag;
    return 1;
}

int Mix_GroupChannels(int from, int to, int tag)
{
    int grouped = 0;
    for (int n = from; n <= to; ++n)
        grouped += Mix_GroupChannel(n, tag);
    return grouped;
}

// The first channel of the group that plays nothing (a paused one counts
// as playing), or -1. Tag -1 stands for every channel.
int Mix_GroupAvailable(int tag)
{
    for (int n = 0; n < static_cast<int>(channels.size()); ++n) {
        settle(n);
        if ((tag == -1 || channels[n].tag == tag) && !channels[n].playing)
            return n;
    }
    return -1;
}

int Mix_GroupCount(int tag)
{
    if (tag == -1)
        return static_cast<int>(channels.size());
    return static_cast<int>(
        std::count_if(channels.begin(), channels.end(), [tag](const Channel& c) { return c.tag == tag; }));
}

// The group's channel whose sound started first (of equals, the last one,
// as SDL_mixer picks), or -1 when none plays.
int Mix_GroupOldest(int tag)
{
    int oldest = -1;
    double earliest = 0;
    for (int n = 0; n < static_cast<int>(channels.size()); ++n) {
        settle(n);
        const Channel& c = channels[n];
        if ((tag == -1 || c.tag == tag) && c.playing && (oldest == -1 || c.startedMs <= earliest)) {
            oldest = n;
            earliest = c.startedMs;
        }
    }
    return oldest;
}

int Mix_PlayChannelTimed(int which, Mix_Chunk* chunk, int loops, int ticks)
{
    if (!chunk) {
        Mix_SetError("Tried to play a NULL chunk");
        return -1;
    }
    if (which == -1) {
        for (int n = 0; n < static_cast<int>(channels.size()) && which == -1; ++n) {
            settle(n);
            if (!channels[n].playing)
                which = n;
        }
        if (which == -1) {
            Mix_SetError("No free channels available");
            return -1;
        }
    }
    if (!validChannel(which)) {
        Mix_SetError("Invalid channel number");
        return -1;
    }
    settle(which);
    Channel& c = channels[which];
    if (c.playing)
        forgetPosition(c); // a sound cut off takes its position effect with it
    WebChunk* loaded = reinterpret_cast<WebChunk*>(chunk);
    c.sound = loaded;
    c.playing = true;
    c.paused = false;
    c.startedMs = c.resumedMs = nowMs();
    c.offsetMs = 0;
    const double onceMs = loaded->seconds * 1000;
    c.lengthMs = loops < 0 ? -1 : onceMs * (loops + 1);
    if (ticks >= 0 && (c.lengthMs < 0 || ticks < c.lengthMs))
        c.lengthMs = ticks;
    sendGains(which);
    startHeard(which);
    return which;
}

int Mix_HaltChannel(int which)
{
    if (which == -1) {
        for (int n = 0; n < static_cast<int>(channels.size()); ++n)
            halt(n);
    } else if (validChannel(which)) {
        halt(which);
    }
    return 0;
}

// 1 while a sound plays on the channel, paused or not; with -1, how many do.
int Mix_Playing(int which)
{
    if (which == -1) {
        int playing = 0;
        for (int n = 0; n < static_cast<int>(channels.size()); ++n) {
            settle(n);
            playing += channels[n].playing ? 1 : 0;
        }
        return playing;
    }
    if (!validChannel(which))
        return 0;
    settle(which);
    return channels[which].playing ? 1 : 0;
}

void Mix_Pause(int which)
{
    if (which == -1) {
        for (int n = 0; n < static_cast<int>(channels.size()); ++n)
            Mix_Pause(n);
        return;
    }
    if (!validChannel(which))
        return;
    settle(which);
    Channel& c = channels[which];
    if (!c.playing || c.paused)
        return;
    c.offsetMs = playedMs(c);
    c.paused = true;
    tetherAudioStop(which);
}

void Mix_Resume(int which)
{
    if (which == -1) {
        for (int n = 0; n < static_cast<int>(channels.size()); ++n)
            Mix_Resume(n);
        return;
    }
    if (!validChannel(which))
        return;
    Channel& c = channels[which];
    if (!c.playing || !c.paused)
        return;
    c.paused = false;
    c.resumedMs = nowMs();
    startHeard(which);
}

int Mix_Paused(int which)
{
    if (which == -1) {
        int paused = 0;
        for (const Channel& c : channels)
            paused += c.playing && c.paused ? 1 : 0;
        return paused;
    }
    if (!validChannel(which))
        return 0;
    return channels[which].playing && channels[which].paused ? 1 : 0;
}

// Sets a channel's volume (0..128; a negative one only asks) and returns
// the one before; with -1, sets every channel's and returns their average.
int Mix_Volume(int which, int volume)
{
    if (which == -1) {
        if (channels.empty())
            return 0;
        int sum = 0;
        for (int n = 0; n < static_cast<int>(channels.size()); ++n)
            sum += Mix_Volume(n, volume);
        return sum / static_cast<int>(channels.size());
    }
    if (!validChannel(which))
        return 0;
    const int before = channels[which].volume;
    if (volume >= 0) {
        channels[which].volume = std::min(volume, MIX_MAX_VOLUME);
        sendGains(which);
    }
    return before;
}

// A chunk's own volume multiplies every channel's that plays it, at once
// for the channels playing it now.
int Mix_VolumeChunk(Mix_Chunk* chunk, int volume)
{
    if (!chunk)
        return -1;
    const int before = chunk->volume;
    if (volume >= 0) {
        chunk->volume = static_cast<Uint8>(std::min(volume, MIX_MAX_VOLUME));
        for (int n = 0; n < static_cast<int>(channels.size()); ++n)
            if (channels[n].sound && &channels[n].sound->chunk == chunk)
                sendGains(n);
    }
    return before;
}

// Angle in degrees, 0 ahead, 90 right, 180 behind, 270 (or -90) left;
// distance 0 (near) to 255 (far).
int Mix_SetPosition(int which, Sint16 angle, Uint8 distance)
{
    if (!validChannel(which)) {
        Mix_SetError("Invalid channel number");
        return 0;
    }
    int degrees = angle % 360;
    if (degrees < 0)
        degrees += 360;
    Channel& c = channels[which];
    c.leftEar = degrees <= 180 ? farEar(degrees) : 1;
    c.rightEar = degrees > 180 ? farEar(degrees - 180) : 1;
    c.nearness = (255 - distance) / 255.0;
    sendGains(which);
    return 1;
}

} // extern "C"
