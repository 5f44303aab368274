// The music: how a track is described, and the renderer that turns a
// description into a finished stereo mix. Each track is a small song: a key,
// a tempo, chord progressions, two themes and a list of sections saying which
// instruments play, so sections can build, break down and return.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dsp.h"

// The lowest note any part plays: MIDI E1, 41 Hz. Lower is felt more than
// heard, and small speakers give nothing back for it.
constexpr int kLowestPitch = 28;

// Which parts play in a section.
enum Layer : unsigned {
    layerPad = 1u << 0,
    layerBass = 1u << 1,
    layerArp = 1u << 2,
    layerLead = 1u << 3,
    layerBell = 1u << 4,
    layerKick = 1u << 5,
    layerSnare = 1u << 6,
    layerHats = 1u << 7,
    layerCounter = 1u << 8, // the lead doubled a sixth below, for returns
    layerChime = 1u << 9, // the theme recalled softly on the bells
    layerStab = 1u << 10, // short chord stabs against the beat
    layerDrums = layerKick | layerSnare | layerHats,
};

struct Section {
    int bars;
    unsigned layers;
    int progression; // index into Song::progressions, cycled bar by bar
    int theme; // which melody the lead plays: 0 or 1
    int intensity; // 0 sparse .. 3 everything: drum density, filter openness
    bool fill; // a drum fill and a noise riser lead into the next section
    int transpose = 0; // semitones above the song's key: a lift for a last return
};

enum class Groove {
    fourFloor,
    breakbeat,
    halfTime,
    gallop,
    pulse,
    tribal, // toms carry the beat, the kick only anchors it
    march, // a snare drummer's rudiments over a kick on every beat
    tresillo, // kicks three, three and two eighths apart
    doubleKick, // the kick on every eighth at full tilt
};
enum class BassLine { drone, pulse, octaves, syncopated, rolling };
enum class ArpShape { up, upDown, pinball, broken };

// One synthesiser voice: two oscillators, a resonant lowpass with its own
// decay envelope, an amplitude envelope, vibrato, drive and bus sends.
struct Patch {
    Wave wave = Wave::saw;
    Wave wave2 = Wave::saw;
    float mix2 = 0.0f; // level of the second oscillator
    float interval2 = 0.0f; // its pitch against the first, in semitones
    int unison = 1; // detuned copies of the first oscillator, spread in stereo
    float detune = 0.0f; // cents between the outermost copies
    float width = 0.0f; // stereo spread of the copies, 0..1
    float fmRatio = 0.0f; // > 0 makes the first oscillator an FM bell
    float fmIndex = 0.0f;
    float fmDecay = 1.0f; // seconds for the bell's brightness to fade
    Adsr amp;
    float cutoff = 2000.0f; // Hz at the bottom of the filter envelope
    float envAmount = 0.0f; // Hz added at note-on, scaled by velocity
    float filterDecay = 0.2f;
    float resonance = 0.7f; // Q
    float vibrato = 0.0f; // semitones
    float vibratoRate = 5.0f;
    float glide = 0.0f; // seconds a legato note takes to slide in from the last
    float drive = 0.0f; // 0 clean; higher saturates before the filter
    float gain = 0.3f;
    float pan = 0.0f;
    float reverb = 0.2f; // send levels
    float delay = 0.0f;
};

// Ducks pads, bass and arpeggio under every kick, the breathing pulse of
// dance music; depth 0 leaves them steady.
struct Pump {
    float depth = 0.0f; // fraction of the level taken away at the kick
    float release = 0.15f; // seconds to come back
};

// The drum kit's tuning; each track gets its own.
struct Kit {
    float kickHz = 50.0f; // where the kick's pitch settles
    float kickPunch = 1.0f; // how far its pitch falls from
    float snareHz = 190.0f;
    float snareNoise = 1.0f;
    float hatHz = 7000.0f;
    float gain = 1.0f;
};

struct Song {
    const char* path; // relative to the game directory
    const char* title;
    uint64_t seed;
    float bpm;
    int root; // MIDI note of the key's tonic in the bass octave
    std::array<int, 7> scale; // semitones of each degree above the tonic
    std::vector<std::vector<int>> progressions; // chord roots as scale degrees, one per bar
    std::vector<Section> sections;
    Groove groove;
    BassLine bassLine;
    ArpShape arpShape;
    float swing; // 0 straight, up to 0.3 pushes off-beat 16ths late
    std::array<float, 2> themeDensity; // 0 long notes .. 1 busy, per theme
    std::array<int, 2> themeOctave; // octave above `root` each theme sits in
    bool sevenths; // pads voice four-note chords
    Patch bass, pad, lead, arp, bell, stab;
    Kit kit;
    Pump pump;
    float reverbRoom, reverbDamp, reverbReturn;
    float delayBeats, delayFeedback, delayReturn;
};

namespace scales {
constexpr std::array<int, 7> minor = {0, 2, 3, 5, 7, 8, 10};
constexpr std::array<int, 7> dorian = {0, 2, 3, 5, 7, 9, 10};
constexpr std::array<int, 7> phrygian = {0, 1, 3, 5, 7, 8, 10};
constexpr std::array<int, 7> harmonicMinor = {0, 2, 3, 5, 7, 8, 11};
constexpr std::array<int, 7> lydian = {0, 2, 4, 6, 7, 9, 11};
constexpr std::array<int, 7> mixolydian = {0, 2, 4, 5, 7, 9, 10};
// Harmonic minor's fifth mode: a major tonic over phrygian's flat second.
constexpr std::array<int, 7> phrygianDominant = {0, 1, 4, 5, 7, 8, 10};
// Harmonic minor with a flat second: the major chord a semitone above the
// tonic falls onto it like a trapdoor.
constexpr std::array<int, 7> neapolitanMinor = {0, 1, 3, 5, 7, 8, 11};
} // namespace scales

// Every track the game plays, track1 to track13.
const std::vector<Song>& allSongs();

// Length of a song in seconds, including the tail where its last chord rings out.
double songSeconds(const Song& song);

// Renders a song and brings it to the common music level: the result is
// ready to encode.
Stereo renderSong(const Song& song);

// Music loudness: quiet enough that effects stay clear above it.
constexpr float kMusicLoudnessLufs = -19.0f;
constexpr float kMusicCeiling = 0.79f; // about -2 dBFS, room for the encoder's overshoot
