// Reads generated sound files back through SDL_mixer, the way the game loads
// them, and measures what a listener would notice: length, level, clicks.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr int kMixRate = 22050; // the rate the test main opens the mixer at

struct Decoded {
    bool loaded = false;
    std::vector<float> left, right; // full scale is 1
    double seconds() const { return double(left.size()) / kMixRate; }
};

// Decodes a WAV or Ogg file into the mixer's format with Mix_LoadWAV_RW.
Decoded decodeFile(const std::string& path);

std::string gameFile(const std::string& relative);
std::string readBytes(const std::string& path);

float peakLevel(const std::vector<float>& samples);
// Root mean square of samples [from, to).
float rmsLevel(const std::vector<float>& samples, size_t from, size_t to);
float rmsLevel(const std::vector<float>& samples);
float toDb(float level);
