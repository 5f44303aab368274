#include "audio_probe.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>

Decoded decodeFile(const std::string& path)
{
    Decoded out;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
    if (!chunk)
        return out;
    // The test main opens the mixer as signed 16-bit stereo, so every chunk
    // arrives converted to interleaved left/right pairs.
    const int16_t* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
    size_t frames = chunk->alen / (2 * sizeof(int16_t));
    out.left.resize(frames);
    out.right.resize(frames);
    for (size_t i = 0; i < frames; ++i) {
        out.left[i] = samples[2 * i] / 32768.0f;
        out.right[i] = samples[2 * i + 1] / 32768.0f;
    }
    Mix_FreeChunk(chunk);
    out.loaded = true;
    return out;
}

std::string gameFile(const std::string& relative)
{
    return std::string(TETHER_GAME_DIR) + "/" + relative;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

float peakLevel(const std::vector<float>& samples)
{
    float peak = 0.0f;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

float rmsLevel(const std::vector<float>& samples, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += double(samples[i]) * samples[i];
    return to > from ? float(std::sqrt(sum / double(to - from))) : 0.0f;
}

float rmsLevel(const std::vector<float>& samples)
{
    return rmsLevel(samples, 0, samples.size());
}

float toDb(float level)
{
    return 20.0f * std::log10(std::max(level, 1e-9f));
}
