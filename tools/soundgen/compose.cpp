// Composition. Harmony comes from the song's progressions: each bar has one
// chord, a triad (or seventh) stacked in thirds on a degree of the key, so
// every part agrees on which notes are consonant where.
//
// Melody is built the way a person writes a tune: a two-bar motif (a rhythm
// and a contour of steps up and down) is stated, answered, restated and
// brought home, giving eight-bar phrases. The motif's notes on strong beats
// land on the bar's chord tones, so one motif fits every chord it meets.
// Repeats of a section vary a few notes, so the tune is recognised but never
// a copy-paste.
#include "compose.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "rng.h"

namespace {

constexpr int kStepsPerBar = 16; // sixteenth notes
constexpr int kMotifSteps = 32; // two bars
constexpr double kHumanTiming = 0.002; // seconds of random push and pull

int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

struct MotifNote {
    int step; // from the motif's start
    int length; // in steps
    int move; // scale steps from the previous note
};
using Motif = std::vector<MotifNote>;

// Where the score is being written: the song, its bar clock and the chords.
struct Writer {
    const Song& song;
    Score score;
    std::vector<int> chords; // chord degree of every bar of the song
    double stepSeconds;

    explicit Writer(const Song& s)
        : song(s)
        , stepSeconds(60.0 / s.bpm / 4.0)
    {
    }

    // Start time of a step (counted from the song's start), with swing on
    // the off-beat sixteenths.
    double timeOf(int step) const
    {
        double t = step * stepSeconds;
        if (step % 2 == 1)
            t += song.swing * stepSeconds;
        return t;
    }
    int chordAt(int bar) const
    {
        return chords[size_t(std::clamp(bar, 0, int(chords.size()) - 1))];
    }
    bool isChordTone(int bar, int degree) const
    {
        int rel = ((degree - chordAt(bar)) % 7 + 7) % 7;
        return rel == 0 || rel == 2 || rel == 4;
    }
    // The chord tone of `bar` nearest to `degree`, searching only upward
    // (direction > 0), only downward (< 0) or both ways; a tie goes to the
    // one above unless `tieDown`.
    int nearestChordTone(int bar, int degree, int direction = 0, bool tieDown = false) const
    {
        int first = tieDown ? -1 : 1;
        for (int d = 0; d < 4; ++d)
            for (int side : {first, -first})
                if ((direction == 0 || direction == side) && isChordTone(bar, degree + side * d))
                    return degree + side * d;
        return degree;
    }
};

Motif makeMotif(Rng& rng, float density)
{
    // Note lengths to draw from, in sixteenths: calm themes hold notes,
    // busy ones run in eighths and sixteenths.
    static const int calm[] = {4, 4, 6, 8, 8, 12, 2, 4};
    static const int busy[] = {2, 2, 2, 4, 4, 3, 1, 6};
    static const int sizes[] = {1, 1, 1, 2, 2, 3};
    Motif motif;
    int step = 0;
    while (step < kMotifSteps - 4) {
        int len = rng.chance(density) ? busy[rng.below(8)] : calm[rng.below(8)];
        len = std::min(len, kMotifSteps - step);
        if (!motif.empty() && rng.chance(0.12)) { // a breath
            step += len;
            continue;
        }
        motif.push_back({step, len, 0});
        step += len;
    }
    // Let the last note end early enough to breathe before the next phrase.
    MotifNote& last = motif.back();
    if (last.step + last.length > kMotifSteps - 2 && last.length > 2)
        last.length = kMotifSteps - 2 - last.step;
    // The contour is an arch: mostly rising to a peak, mostly falling after,
    // sometimes opening with a leap, the shape most memorable tunes share.
    size_t peak = motif.size() / 3 + size_t(rng.below(int(motif.size() / 3) + 1));
    for (size_t k = 1; k < motif.size(); ++k) {
        int size = sizes[rng.below(6)];
        bool rising = k <= peak ? rng.chance(0.75) : rng.chance(0.25);
        if (k == 1 && rng.chance(0.3)) { // an opening leap of a fourth
            size = 3;
            rising = true;
        }
        motif[k].move = rising ? size : -size;
    }
    return motif;
}

enum class Ending { open, home, free };

// A tune being written: where its notes go and where it has got to.
struct Line {
    std::vector<NoteEvent>* out;
    int octaveTonic; // MIDI pitch of the key's tonic in the tune's octave
    int center; // scale degree the tune circles
    int position; // scale degree of its last note
    float velocity;
    float pan;
    bool counter; // doubled a sixth below
    double lastEnd = -1.0; // when its last note ended, in seconds
    float lastPitch = 0.0f;
};

// Writes one statement of a motif from `bar`, continuing from the melody's
// last scale position. `open` ends on a chord tone other than the root, a
// question; `home` ends on the root with a long note, the answer.
void playMotif(Writer& w, const Motif& motif, int bar, Ending ending, int lift, float tweak,
    Rng& rng, Line& line)
{
    int& position = line.position;
    int center = line.center;
    int firstStep = bar * kStepsPerBar;
    Motif notes = motif;
    if (ending == Ending::home) {
        // Keep the motif's first bar, then one long note to rest on.
        notes.erase(std::remove_if(notes.begin(), notes.end(),
                        [](const MotifNote& n) { return n.step >= 14; }),
            notes.end());
        int from = notes.empty() ? 0 : notes.back().step + notes.back().length;
        from = std::max(from, 16);
        notes.push_back({from, kMotifSteps - 2 - from, 0});
    }
    for (size_t i = 0; i < notes.size(); ++i) {
        MotifNote n = notes[i];
        int stepInBar = n.step % kStepsPerBar;
        int noteBar = bar + n.step / kStepsPerBar;
        int target, move = 0;
        if (i == 0) {
            target = w.nearestChordTone(noteBar, center + lift);
        } else {
            move = n.move;
            if (tweak > 0.0f && rng.chance(tweak))
                move += rng.chance(0.5) ? 1 : -1;
            target = position + move;
            // Stay within about an octave and a half around the theme's centre.
            if (target > center + 7 || target < center - 5) {
                move = -move;
                target = position + move;
            }
        }
        bool strong = stepInBar % 8 == 0 || n.length >= 6;
        bool last = i + 1 == notes.size();
        if (last && ending == Ending::home) {
            target = w.chordAt(noteBar);
            while (target < center - 3)
                target += 7;
            while (target > center + 4)
                target -= 7;
        } else if (last && ending == Ending::open) {
            target = w.nearestChordTone(noteBar, target);
            if (((target - w.chordAt(noteBar)) % 7 + 7) % 7 == 0)
                target += 2;
        } else if (strong) {
            // A step snaps onward in the direction it was going, so a step
            // up never falls back onto the note it left; a leap has made
            // its move already and takes the nearest tone.
            bool leap = std::abs(move) > 1;
            int direction = leap ? 0 : move;
            // A leap that lands between two chord tones takes the one that
            // makes it smaller.
            target = w.nearestChordTone(noteBar, target, direction, leap && move > 0);
            if (target == position && direction != 0)
                target = w.nearestChordTone(noteBar, target + direction, direction);
        }
        position = target;
        int step = firstStep + n.step;
        double start = w.timeOf(step) + rng.range(-kHumanTiming, kHumanTiming);
        double length = n.length * w.stepSeconds * 0.92;
        float vel
            = line.velocity * (stepInBar % 4 == 0 ? 1.0f : 0.85f) * float(rng.range(0.94, 1.0));
        float pitch = float(degreePitch(w.song, line.octaveTonic, target));
        // A note that follows straight on from the last can slide in from it.
        bool legato = start - line.lastEnd < w.stepSeconds;
        line.out->push_back({start, length, pitch, vel, line.pan, legato ? line.lastPitch : 0.0f});
        line.lastEnd = start + length;
        line.lastPitch = pitch;
        if (line.counter) {
            // A sixth below is a third above, inverted: sweet, never muddy.
            line.out->push_back(
                {start + 0.004, length, float(degreePitch(w.song, line.octaveTonic, target - 5)),
                    vel * 0.55f, line.pan + 0.55f});
        }
    }
}

// Plays a theme through a section in eight-bar phrases: statement,
// question, restatement a step away, answer.
void playTheme(Writer& w, const Section& sec, int firstBar, const Motif& motif, float variation,
    Rng& rng, Line line)
{
    int phrase = 0;
    for (int bar = 0; bar + 4 <= sec.bars; bar += 8, ++phrase) {
        bool full = bar + 8 <= sec.bars;
        int b = firstBar + bar;
        // A second phrase in the same section wanders further from the
        // motif and takes its sequence down instead of up.
        float tweak = variation + 0.12f * float(phrase);
        int lift = phrase % 2 == 0 ? 2 : -2;
        playMotif(w, motif, b, Ending::free, 0, 0.0f, rng, line);
        if (full) {
            playMotif(w, motif, b + 2, Ending::open, 0, tweak, rng, line);
            playMotif(w, motif, b + 4, Ending::free, lift, tweak, rng, line);
            playMotif(w, motif, b + 6, Ending::home, 0, tweak, rng, line);
        } else {
            playMotif(w, motif, b + 2, Ending::home, 0, tweak, rng, line);
        }
    }
}

// `statement` counts the sections that played this theme before: the first
// keeps the motif nearly exact, later ones vary it more. In a section with
// chimes the bells recall the first theme softly instead of the lead.
void writeLead(Writer& w, const Section& sec, int firstBar, int sectionIndex, int statement,
    const Motif& motif)
{
    Rng rng(w.song.seed * 977 + uint64_t(sectionIndex) * 13 + 5);
    // The first theme circles the key's third; the second sits higher, on
    // the fifth, for contrast.
    int center = sec.theme == 0 ? 2 : 4;
    int octaveTonic = w.song.root + 12 * w.song.themeOctave[size_t(sec.theme)];
    float variation = statement == 0 ? 0.06f : 0.2f;
    if (sec.layers & layerLead) {
        Line lead {&w.score.lead, octaveTonic, center, center, 0.7f + 0.1f * sec.intensity, -0.12f,
            (sec.layers & layerCounter) != 0};
        playTheme(w, sec, firstBar, motif, variation, rng, lead);
    }
    if (sec.layers & layerChime) {
        Line chime {&w.score.bell, octaveTonic, center, center, 0.75f, 0.3f, false};
        playTheme(w, sec, firstBar, motif, variation, rng, chime);
    }
}

// Pads: the chord held through the bar, each voicing chosen to move as
// little as possible from the last, the way a keyboard player would.
void writePad(Writer& w, const Section& sec, int firstBar, std::vector<int>& voicing)
{
    for (int bar = 0; bar < sec.bars; ++bar) {
        int b = firstBar + bar;
        int chord = w.chordAt(b);
        int tones = w.song.sevenths ? 4 : 3;
        // A bar repeating the previous chord just extends its notes.
        if (bar > 0 && w.chordAt(b - 1) == chord && !w.score.pad.empty()) {
            for (size_t i = w.score.pad.size() - size_t(tones); i < w.score.pad.size(); ++i)
                w.score.pad[i].length += 16 * w.stepSeconds;
            continue;
        }
        std::vector<int> best;
        int bestCost = 1 << 30;
        for (int inversion = 0; inversion < tones; ++inversion) {
            for (int octave = -1; octave <= 1; ++octave) {
                std::vector<int> v;
                for (int k = 0; k < tones; ++k) {
                    int idx = inversion + k;
                    int degree = chord + 2 * (idx % tones) + 7 * (idx / tones) + 7 * octave;
                    v.push_back(degreePitch(w.song, w.song.root + 12, degree));
                }
                if (v.front() < 50 || v.back() > 77)
                    continue;
                int cost = 0;
                for (size_t k = 0; k < v.size() && k < voicing.size(); ++k)
                    cost += std::abs(v[k] - voicing[k]);
                if (voicing.empty())
                    cost = std::abs(v.front() - 57);
                if (cost < bestCost) {
                    bestCost = cost;
                    best = v;
                }
            }
        }
        voicing = best;
        for (size_t k = 0; k < best.size(); ++k) {
            float pan = (float(k) / float(best.size() - 1) - 0.5f) * 0.6f;
            w.score.pad.push_back({w.timeOf(b * kStepsPerBar), 16 * w.stepSeconds, float(best[k]),
                0.55f + 0.1f * sec.intensity, pan});
        }
    }
}

// The bass's root for a bar: the chord's root in whichever octave keeps it
// within a fifth or so of the key's tonic, so the line never wanders up.
int bassRoot(const Writer& w, int bar)
{
    int root = degreePitch(w.song, w.song.root, w.chordAt(bar) % 7);
    if (root > w.song.root + 6)
        root -= 12;
    if (root < kLowestPitch)
        root += 12;
    return root;
}

// A note `steps` scale steps below the root of `bar`'s chord, for walking
// up into it.
int approachTo(const Writer& w, int bar, int steps)
{
    int chord = w.chordAt(bar) % 7;
    int pitch
        = bassRoot(w, bar) + degreePitch(w.song, 0, chord - steps) - degreePitch(w.song, 0, chord);
    return pitch < kLowestPitch ? pitch + 12 : pitch;
}

void writeBass(Writer& w, const Section& sec, int firstBar, Rng& rng)
{
    for (int bar = 0; bar < sec.bars; ++bar) {
        int b = firstBar + bar;
        int chord = w.chordAt(b) % 7;
        int root = bassRoot(w, b);
        // The last bar of every four walks up into the next phrase's chord.
        bool walk = bar % 4 == 3;
        int fifth = root + degreePitch(w.song, 0, chord + 4) - degreePitch(w.song, 0, chord);
        int octave = root + 12;
        int s0 = b * kStepsPerBar;
        auto note = [&](int step, int len, int pitch, float vel) {
            w.score.bass.push_back({w.timeOf(s0 + step), len * w.stepSeconds * 0.9, float(pitch),
                vel * float(rng.range(0.92, 1.0)), 0.0f});
        };
        // Quiet sections hold the bass back: a drone, or plain eighths in
        // place of the sixteenth-note roll.
        BassLine line = sec.intensity == 0 ? BassLine::drone : w.song.bassLine;
        if (sec.intensity == 1 && line == BassLine::rolling)
            line = BassLine::pulse;
        switch (line) {
        case BassLine::drone: note(0, 16, root, 0.8f); break;
        case BassLine::pulse:
            for (int s = 0; s < 16; s += 2) {
                int pitch = s == 14 && bar % 2 == 1 ? fifth : root;
                if (walk && s >= 12)
                    pitch = approachTo(w, b + 1, s == 12 ? 2 : 1);
                note(s, 2, pitch, s % 4 == 0 ? 1.0f : 0.75f);
            }
            break;
        case BassLine::octaves:
            for (int s = 0; s < 16; s += 2) {
                int pitch = (s / 2) % 2 ? octave : root;
                if (walk && s >= 12)
                    pitch = approachTo(w, b + 1, s == 12 ? 2 : 1);
                note(s, 2, pitch, s % 4 == 0 ? 1.0f : 0.8f);
            }
            break;
        case BassLine::syncopated: {
            static const int steps[] = {0, 3, 6, 8, 11, 14};
            static const int lens[] = {3, 3, 2, 3, 3, 2};
            for (int k = 0; k < 6; ++k) {
                int pitch = k == 2 ? fifth : (k == 4 ? octave : root);
                if (walk && k == 5)
                    pitch = approachTo(w, b + 1, 1);
                note(steps[k], lens[k], pitch, k % 3 == 0 ? 1.0f : 0.8f);
            }
            break;
        }
        case BassLine::rolling:
            for (int s = 0; s < 16; ++s) {
                bool accent = s == 0 || s == 3 || s == 6 || s == 10 || s == 12;
                int pitch = (s == 14 && bar % 2 == 1) ? fifth : (s == 15 ? octave : root);
                note(s, 1, pitch, accent ? 1.0f : 0.55f);
            }
            break;
        }
    }
}

void writeArp(Writer& w, const Section& sec, int firstBar)
{
    static const int upDown[] = {0, 1, 2, 3, 4, 5, 4, 3, 2, 1};
    static const int pinball[] = {0, 3, 1, 4, 2, 5, 3, 1};
    static const int broken[] = {0, 2, 1, 3, 2, 4, 3, 5};
    int counter = 0;
    for (int bar = 0; bar < sec.bars; ++bar) {
        int b = firstBar + bar;
        // Chords on the upper degrees start below the tonic, keeping the
        // arpeggio in one band of pitch instead of climbing with the chord.
        int chord = w.chordAt(b) % 7;
        if (chord > 3)
            chord -= 7;
        // Eighths in the quiet sections, sixteenths once the song is going.
        int rate = sec.intensity >= 2 ? 1 : 2;
        // The returns, at full tilt, turn the pattern to the next shape:
        // the same notes in a new order freshen a section heard before.
        ArpShape shape = w.song.arpShape;
        if (sec.layers & layerCounter)
            shape = ArpShape((int(shape) + 1) % 4);
        for (int s = 0; s < kStepsPerBar; s += rate, ++counter) {
            int idx = 0;
            switch (shape) {
            case ArpShape::up: idx = counter % 6; break;
            case ArpShape::upDown: idx = upDown[counter % 10]; break;
            case ArpShape::pinball: idx = pinball[counter % 8]; break;
            case ArpShape::broken: idx = broken[counter % 8]; break;
            }
            int degree = chord + 2 * (idx % 3) + 7 * (idx / 3);
            float vel = (s % 4 == 0 ? 0.9f : 0.65f) * (0.6f + 0.13f * sec.intensity);
            w.score.arp.push_back({w.timeOf(b * kStepsPerBar + s), w.stepSeconds * 0.7 * rate,
                float(degreePitch(w.song, w.song.root + 24, degree)), vel, 0.0f});
        }
    }
}

// Stabs: the bar's chord struck short on a three-against-four pattern
// (the first half-bar in dotted eighths, then two pushes), driving the boss
// fights against the beat.
void writeStabs(Writer& w, const Section& sec, int firstBar)
{
    static const int steps[] = {0, 3, 6, 10, 12};
    for (int bar = 0; bar < sec.bars; ++bar) {
        int b = firstBar + bar;
        int chord = w.chordAt(b) % 7;
        if (chord > 3)
            chord -= 7; // kept in one band of pitch, like the arpeggio
        for (int s : steps)
            for (int k : {0, 2, 4})
                w.score.stab.push_back({w.timeOf(b * kStepsPerBar + s), w.stepSeconds * 1.2,
                    float(degreePitch(w.song, w.song.root + 24, chord + k)), s == 0 ? 1.0f : 0.8f,
                    0.0f});
    }
}

// Bells: sparse chord tones high up, left to ring into the delay.
void writeBell(Writer& w, const Section& sec, int firstBar, Rng& rng)
{
    // Kept below about 1.4 kHz: the bell's FM sidebands reach five times up.
    int tonic = w.song.root + 36;
    while (tonic > 72)
        tonic -= 12;
    for (int bar = 0; bar < sec.bars; ++bar) {
        int b = firstBar + bar;
        for (int beat = 0; beat < 4; beat += 2) {
            if (!rng.chance(0.6))
                continue;
            int degree = w.chordAt(b) % 7 + 2 * rng.below(3);
            w.score.bell.push_back({w.timeOf(b * kStepsPerBar + beat * 4), 3 * w.stepSeconds,
                float(degreePitch(w.song, tonic, degree)), float(rng.range(0.5, 0.9)),
                float(rng.range(-0.6, 0.6))});
        }
    }
}

void writeDrums(Writer& w, const Section& sec, int firstBar, Rng& rng)
{
    unsigned layers = sec.layers;
    int in = sec.intensity;
    for (int bar = 0; bar < sec.bars; ++bar) {
        int s0 = (firstBar + bar) * kStepsPerBar;
        bool fillBar = sec.fill && bar == sec.bars - 1;
        auto hit = [&](int step, DrumKind kind, float vel, unsigned layer) {
            if (!(layers & layer))
                return;
            if (fillBar && step >= 8 && kind != drumKick && kind != drumCrash)
                return; // the fill owns the bar's second half
            double t = w.timeOf(s0 + step) + rng.range(-kHumanTiming, kHumanTiming);
            w.score.drums.push_back({t, kind, vel * float(rng.range(0.9, 1.0))});
        };
        if (bar == 0 && in >= 2)
            hit(0, drumCrash, 0.8f, layerKick);
        for (int s = 0; s < kStepsPerBar; ++s) {
            bool offbeat8 = s % 4 == 2;
            switch (w.song.groove) {
            case Groove::fourFloor:
                if (s % 4 == 0)
                    hit(s, drumKick, 1.0f, layerKick);
                if (s == 4 || s == 12)
                    hit(s, in >= 2 ? drumClap : drumSnare, 0.9f, layerSnare);
                if (offbeat8)
                    hit(s, in >= 3 ? drumOpenHat : drumClosedHat, 0.7f, layerHats);
                else if (in >= 2 && s % 2 == 1)
                    hit(s, drumClosedHat, 0.35f, layerHats);
                break;
            case Groove::breakbeat:
                if (s == 0 || s == 10 || (in >= 2 && s == 7))
                    hit(s, drumKick, s == 7 ? 0.7f : 1.0f, layerKick);
                if (s == 4 || s == 12)
                    hit(s, drumSnare, 0.95f, layerSnare);
                if (in >= 2 && (s == 9 || s == 15))
                    hit(s, drumSnare, 0.28f, layerSnare);
                if (s % 2 == 0)
                    hit(s, drumClosedHat, s % 4 == 0 ? 0.6f : 0.45f, layerHats);
                if (in >= 3 && s == 14)
                    hit(s, drumOpenHat, 0.5f, layerHats);
                break;
            case Groove::halfTime:
                if (s == 0 || s == 11 || (in >= 2 && s == 3))
                    hit(s, drumKick, 1.0f, layerKick);
                if (s == 8)
                    hit(s, drumSnare, 1.0f, layerSnare);
                if (s % 2 == 0 || in >= 3)
                    hit(s, drumClosedHat, s % 4 == 0 ? 0.6f : 0.4f, layerHats);
                if (s == 14)
                    hit(s, drumOpenHat, 0.5f, layerHats);
                break;
            case Groove::gallop:
                if (s % 8 == 0 || s % 8 == 2 || s % 8 == 3 || (in >= 3 && s % 8 == 6))
                    hit(s, drumKick, s % 8 == 0 ? 1.0f : 0.8f, layerKick);
                if (s == 4 || s == 12)
                    hit(s, drumSnare, 1.0f, layerSnare);
                hit(s, drumClosedHat, s % 2 == 0 ? 0.55f : 0.35f, layerHats);
                break;
            case Groove::pulse:
                if (s == 0 || (in >= 2 && s == 10))
                    hit(s, drumKick, 0.8f, layerKick);
                if (s == 12 && in >= 2)
                    hit(s, drumSnare, 0.6f, layerSnare);
                if (s % 2 == 0)
                    hit(s, drumClosedHat, s % 4 == 2 ? 0.45f : 0.25f, layerHats);
                break;
            case Groove::tribal:
                // The toms play with the kick, so they come and go with it.
                // A breakdown keeps only a heartbeat of them.
                if (s == 0 || (in >= 1 && s == 8) || (in >= 3 && s == 10))
                    hit(s, drumKick, s == 10 ? 0.75f : 1.0f, layerKick);
                if (s == 6 || s == 14 || (in >= 1 && (s == 3 || s == 11)))
                    hit(s, drumTomLow, s == 6 || s == 14 ? 0.75f : 0.55f, layerKick);
                if (in >= 2 && (s == 2 || s == 7 || s == 15))
                    hit(s, drumTomHigh, 0.45f, layerKick);
                if (s == 4 || s == 12)
                    hit(s, in >= 3 ? drumClap : drumSnare, 0.85f, layerSnare);
                if (s % 2 == 0 || in >= 2)
                    hit(s, drumClosedHat, s % 4 == 0 ? 0.5f : 0.3f, layerHats);
                break;
            case Groove::march: {
                // Accents on the backbeat, each dragged in by a ghost note;
                // busier sections fill the gaps with a roll's taps.
                bool accent = s == 4 || s == 12;
                bool drag = s == 3 || s == 11;
                bool tap = (in >= 2 && (s == 6 || s == 14)) || (in >= 3 && (s == 7 || s == 15));
                if (s % 4 == 0)
                    hit(s, drumKick, s % 8 == 0 ? 1.0f : 0.85f, layerKick);
                if (accent || drag || tap)
                    hit(s, drumSnare, accent ? 1.0f : (drag ? 0.3f : 0.4f), layerSnare);
                if (accent && in >= 3)
                    hit(s, drumClap, 0.6f, layerSnare);
                if (offbeat8)
                    hit(s, drumClosedHat, 0.5f, layerHats);
                break;
            }
            case Groove::tresillo:
                if (s == 0 || s == 6 || s == 12 || (in >= 3 && s == 10))
                    hit(s, drumKick, s == 10 ? 0.7f : 1.0f, layerKick);
                if (s == 4 || s == 12)
                    hit(s, drumSnare, 0.95f, layerSnare);
                if (in >= 2 && s == 9)
                    hit(s, drumSnare, 0.3f, layerSnare);
                // Hats accent the same three-three-two in sixteenths.
                if (s == 0 || s == 3 || s == 6 || s == 8 || s == 11 || s == 14)
                    hit(s, drumClosedHat, 0.55f, layerHats);
                else if (in >= 2)
                    hit(s, drumClosedHat, 0.25f, layerHats);
                break;
            case Groove::doubleKick:
                if (in >= 3 ? s % 2 == 0 : (s % 8 == 0 || (in >= 2 && s % 8 == 6)))
                    hit(s, drumKick, s % 4 == 0 ? 1.0f : 0.75f, layerKick);
                if (s == 4 || s == 12)
                    hit(s, drumSnare, 1.0f, layerSnare);
                // A ride on the beat once it drives, eighths before that.
                if (in >= 2 ? s % 4 == 0 : s % 2 == 0)
                    hit(s, in >= 2 ? drumOpenHat : drumClosedHat, in >= 2 ? 0.4f : 0.5f, layerHats);
                break;
            }
        }
        // Every fourth bar turns around with a ghost snare and an open hat,
        // marking the end of the phrase without a full fill.
        if (!fillBar && bar % 4 == 3 && in >= 1) {
            hit(15, drumSnare, 0.3f, layerSnare);
            hit(14, drumOpenHat, 0.45f, layerHats);
        }
        if (fillBar && (layers & layerSnare)) {
            bool toms = w.song.groove == Groove::gallop || w.song.groove == Groove::halfTime
                || w.song.groove == Groove::tribal;
            for (int s = 8; s < kStepsPerBar; ++s) {
                float vel = 0.4f + 0.6f * float(s - 8) / 7.0f;
                DrumKind kind = toms ? (s < 12 ? drumTomHigh : drumTomLow) : drumSnare;
                w.score.drums.push_back({w.timeOf(s0 + s), kind, vel});
            }
        }
    }
}

} // namespace

int degreePitch(const Song& song, int tonic, int degree)
{
    int octave = floorDiv(degree, 7);
    return tonic + 12 * octave + song.scale[size_t(degree - 7 * octave)];
}

Score compose(const Song& song)
{
    Writer w(song);
    for (const Section& sec : song.sections) {
        const std::vector<int>& prog = song.progressions[size_t(sec.progression)];
        for (int bar = 0; bar < sec.bars; ++bar)
            w.chords.push_back(prog[size_t(bar) % prog.size()]);
    }
    w.chords.push_back(0); // the closing chord is the tonic

    Rng themeRng(song.seed);
    const Motif motifs[2]
        = {makeMotif(themeRng, song.themeDensity[0]), makeMotif(themeRng, song.themeDensity[1])};
    Rng partRng(song.seed + 1);
    std::vector<int> voicing;
    int statements[2] = {0, 0};
    int bar = 0;
    std::vector<NoteEvent>* parts[]
        = {&w.score.pad, &w.score.bass, &w.score.arp, &w.score.lead, &w.score.bell, &w.score.stab};
    constexpr size_t kParts = std::size(parts);
    // Moves the notes written since `written` into the section's key.
    auto transpose = [&](const size_t* written, int semitones) {
        for (size_t p = 0; p < kParts; ++p)
            for (size_t n = written[p]; n < parts[p]->size(); ++n) {
                NoteEvent& note = (*parts[p])[n];
                note.pitch += float(semitones);
                if (note.from > 0.0f)
                    note.from += float(semitones);
            }
    };
    size_t written[kParts];
    for (size_t i = 0; i < song.sections.size(); ++i) {
        const Section& sec = song.sections[i];
        for (size_t p = 0; p < kParts; ++p)
            written[p] = parts[p]->size();
        if (sec.layers & layerPad)
            writePad(w, sec, bar, voicing);
        if (sec.layers & layerBass)
            writeBass(w, sec, bar, partRng);
        if (sec.layers & layerArp)
            writeArp(w, sec, bar);
        if (sec.layers & layerBell)
            writeBell(w, sec, bar, partRng);
        if (sec.layers & layerStab)
            writeStabs(w, sec, bar);
        if (sec.layers & (layerLead | layerChime))
            writeLead(w, sec, bar, int(i), statements[sec.theme]++, motifs[sec.theme]);
        if (sec.layers & layerDrums)
            writeDrums(w, sec, bar, partRng);
        transpose(written, sec.transpose);
        bar += sec.bars;
        if (sec.fill)
            w.score.risers.push_back({w.timeOf((bar - 2) * kStepsPerBar), 2 * barSeconds(song)});
    }
    // The last chord: the tonic, held and left to ring out, in the key the
    // song ended in.
    for (size_t p = 0; p < kParts; ++p)
        written[p] = parts[p]->size();
    Section coda {1, layerPad, 0, 0, 1, false};
    writePad(w, coda, bar, voicing);
    for (NoteEvent& n : w.score.pad)
        if (n.start >= w.timeOf(bar * kStepsPerBar))
            n.length = barSeconds(song) * 1.5;
    w.score.bass.push_back({w.timeOf(bar * kStepsPerBar), barSeconds(song) * 1.2,
        float(degreePitch(song, song.root, 0)), 0.8f, 0.0f});
    transpose(written, song.sections.back().transpose);
    w.score.drums.push_back({w.timeOf(bar * kStepsPerBar), drumCrash, 0.6f});
    return w.score;
}
