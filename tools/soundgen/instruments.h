// The instruments: the subtractive/FM voice every melodic part plays through,
// the drum kit and the riser. They render into the song's three buses.
#pragma once

#include <array>

#include "compose.h"
#include "dsp.h"
#include "rng.h"

// The dry mix and the two effect sends every instrument writes into.
struct Buses {
    Stereo dry, reverb, delay;
    explicit Buses(size_t frames)
        : dry(frames)
        , reverb(frames)
        , delay(frames)
    {
    }
};

void renderNote(const Patch& patch, const NoteEvent& note, Buses& buses, Rng& rng);

// One pre-rendered mono hit per drum kind, placed by the score.
struct DrumKit {
    std::array<Buffer, drumKinds> hits;
};
DrumKit makeDrumKit(const Kit& kit, Rng& rng);
void renderDrumHit(const DrumKit& kit, const DrumHit& hit, float gain, Buses& buses);

void renderRiser(const Riser& riser, Buses& buses, Rng& rng);
