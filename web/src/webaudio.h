// The page's side of the game's mixer (web/mixer.js), as C++ sees it: the
// mixer's state lives in C++, these calls only make it heard.
#pragma once

extern "C" {
void tetherAudioOpen();
int tetherAudioLoadChunk(void* rwops, int freeSource, double* seconds);
void tetherAudioFreeChunk(int id);
void tetherAudioStart(int channel, int id, double offsetSeconds, double seconds);
void tetherAudioStop(int channel);
void tetherAudioSetGains(int channel, double volume, double left, double right);
int tetherAudioLoadMusic(const char* path);
int tetherAudioPlayMusic(int id, int plays);
void tetherAudioMusicVolume(double volume);
void tetherAudioPauseMusic(int pause);
void tetherAudioHaltMusic(int finished); // finished: the hook follows
void tetherAudioFadeOutMusic(int ms);
int tetherAudioMusicActive();
int tetherAudioTakeMusicEnded();
}
