// The composer: turns a song's description into a score, the list of every
// note and drum hit in time. Nothing here makes sound.
#pragma once

#include <vector>

#include "music.h"

struct NoteEvent {
    double start; // seconds
    double length; // seconds the key is held
    float pitch; // MIDI note
    float velocity; // 0..1
    float pan; // added to the part's own pan
    float from = 0.0f; // pitch a tune slides in from when played legato; 0 for none
};

enum DrumKind {
    drumKick,
    drumSnare,
    drumClap,
    drumClosedHat,
    drumOpenHat,
    drumCrash,
    drumTomLow,
    drumTomHigh,
    drumKinds
};

struct DrumHit {
    double time;
    DrumKind kind;
    float velocity;
};

// A rising noise sweep that leads into a new section.
struct Riser {
    double start, length;
};

struct Score {
    std::vector<NoteEvent> bass, pad, lead, arp, bell, stab;
    std::vector<DrumHit> drums;
    std::vector<Riser> risers;
};

Score compose(const Song& song);

// Seconds in one bar of four beats.
inline double barSeconds(const Song& song)
{
    return 4.0 * 60.0 / song.bpm;
}

// Pitch of a scale degree counted from `tonic` (0 is the tonic, 7 the octave
// above, negative degrees go below).
int degreePitch(const Song& song, int tonic, int degree);
