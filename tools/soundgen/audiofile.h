// Writing the generated sound to the formats the game loads.
#pragma once

#include <string>

#include "dsp.h"

// 16-bit PCM WAV at the mixing rate, mono. Returns false (and prints why)
// when the file cannot be written.
bool writeWav(const std::string& path, const Buffer& mono);

// How a track is encoded. The game's own: stereo at VBR quality 0.3, about
// 80 kbit/s at our rate, clean for synthesised music and quick to encode.
// The web page's: a third of the bytes, since the page streams every track
// it plays over the network. Vorbis refuses stereo at our rate below about
// 28 kbit/s, so the web copy is both sides mixed to mono at an average of
// 18 kbit/s.
struct OggEncoding {
    int channels;        // 2, or 1 for left and right mixed down
    float quality;       // VBR quality, -0.1 to 1, when averageBitrate is 0
    long averageBitrate; // bits per second, held on average; 0: by quality
};
constexpr OggEncoding kGameMusic {2, 0.3f, 0};
constexpr OggEncoding kWebMusic {1, 0.0f, 18000};

// Ogg Vorbis at the mixing rate. `serial` names the Ogg stream: it is
// fixed by the caller rather than random, so the bytes repeat run to run.
bool writeOgg(const std::string& path, const Stereo& music, int serial, const std::string& title,
    const OggEncoding& encoding = kGameMusic);
