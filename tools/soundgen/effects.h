// The game's eight sound effects, each built from scratch per call.
#pragma once

#include <vector>

#include "dsp.h"

struct Effect {
    const char* path; // relative to the game directory
    Buffer (*render)();
    float peak; // level of the loudest sample in the written file, of full scale
};

// Every effect the game loads, in no particular order.
const std::vector<Effect>& allEffects();

// Length of the engine loop in samples; the loop holds a whole number of
// periods of every tone in it, so its end runs straight into its start.
constexpr int kThrustLoopSamples = 2 * kSampleRate;
