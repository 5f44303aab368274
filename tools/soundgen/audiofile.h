// Writing the generated sound to the formats the game loads.
#pragma once

#include <string>

#include "dsp.h"

// 16-bit PCM WAV at the mixing rate, mono. Returns false (and prints why)
// when the file cannot be written.
bool writeWav(const std::string& path, const Buffer& mono);

// Ogg Vorbis at the mixing rate, stereo. `serial` names the Ogg stream: it is
// fixed by the caller rather than random, so the bytes repeat run to run.
bool writeOgg(const std::string& path, const Stereo& music, int serial, const std::string& title);
