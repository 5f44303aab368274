// The composer's music theory, checked on every track's score: notes in
// key, tunes resting on the harmony, phrases that come home, parts in their
// registers; and the set of tracks as a whole: boss music is faster, and no
// two tracks share a key.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "compose.h"

namespace {

constexpr int kBossTracks[] = {1, 7, 8, 9, 10, 11, 12, 13};
constexpr int kTracks = 13;
constexpr int kStepsPerBar = 16;

bool isBoss(int track)
{
    return std::find(std::begin(kBossTracks), std::end(kBossTracks), track)
        != std::end(kBossTracks);
}

int pitchClass(float pitch)
{
    return ((int(std::lround(pitch)) % 12) + 12) % 12;
}

// Where a moment of the song falls: its section, its bar within the song.
struct Place {
    const Section* section;
    int bar;
};

class Composition : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        song = &allSongs()[size_t(GetParam() - 1)];
        score = compose(*song);
    }
    // Humanised notes can start a hair early: look a little later.
    Place placeOf(double seconds) const
    {
        int bar = int((seconds + 0.01) / barSeconds(*song));
        int first = 0;
        for (const Section& s : song->sections) {
            if (bar < first + s.bars)
                return {&s, bar};
            first += s.bars;
        }
        return {&song->sections.back(), bar}; // the closing chord
    }
    int firstBarOf(const Section* section) const
    {
        int first = 0;
        for (const Section& s : song->sections) {
            if (&s == section)
                return first;
            first += s.bars;
        }
        return first;
    }
    // Scale degree of the chord played in `bar` (the closing chord is the tonic).
    int chordAt(int bar) const
    {
        int first = 0;
        for (const Section& s : song->sections) {
            if (bar < first + s.bars) {
                const std::vector<int>& prog = song->progressions[size_t(s.progression)];
                return prog[size_t(bar - first) % prog.size()];
            }
            first += s.bars;
        }
        return 0;
    }
    std::set<int> chordPitchClasses(int bar, int transpose) const
    {
        std::set<int> tones;
        for (int k : {0, 2, 4})
            tones.insert(
                pitchClass(float(degreePitch(*song, song->root + transpose, chordAt(bar) + k))));
        return tones;
    }
    // The tune itself, without the counter-melody that doubles it on returns.
    std::vector<NoteEvent> melody() const
    {
        std::vector<NoteEvent> out;
        for (const NoteEvent& n : score.lead)
            if (n.pan < 0.0f)
                out.push_back(n);
        return out;
    }
    int stepOf(double seconds) const
    {
        return int(std::lround(seconds / (barSeconds(*song) / kStepsPerBar)));
    }

    const Song* song = nullptr;
    Score score;
};

TEST_P(Composition, EveryNoteIsInTheKeyOfItsSection)
{
    const std::vector<NoteEvent>* parts[]
        = {&score.pad, &score.bass, &score.arp, &score.lead, &score.bell, &score.stab};
    for (const std::vector<NoteEvent>* part : parts)
        for (const NoteEvent& n : *part) {
            Place at = placeOf(n.start);
            std::set<int> key;
            for (int degree = 0; degree < 7; ++degree)
                key.insert(pitchClass(
                    float(degreePitch(*song, song->root + at.section->transpose, degree))));
            EXPECT_TRUE(key.count(pitchClass(n.pitch)))
                << "pitch " << n.pitch << " at " << n.start << " s";
        }
}

TEST_P(Composition, TuneLandsOnChordTonesOnTheStrongBeats)
{
    int checked = 0;
    for (const NoteEvent& n : melody()) {
        int step = stepOf(n.start);
        if (step % 8 != 0)
            continue;
        Place at = placeOf(n.start);
        EXPECT_TRUE(chordPitchClasses(at.bar, at.section->transpose).count(pitchClass(n.pitch)))
            << "pitch " << n.pitch << " in bar " << at.bar;
        ++checked;
    }
    EXPECT_GT(checked, 8);
}

// Every eight-bar phrase of the tune ends on the root of the chord under
// it: the answer to the question its middle asked.
TEST_P(Composition, EveryPhraseComesHomeToTheChordRoot)
{
    std::vector<NoteEvent> tune = melody();
    int phrases = 0;
    for (const Section& s : song->sections) {
        if (!(s.layers & layerLead))
            continue;
        int first = firstBarOf(&s);
        for (int bar = 0; bar + 8 <= s.bars; bar += 8) {
            double from = (first + bar) * barSeconds(*song),
                   to = (first + bar + 8) * barSeconds(*song) - 0.01;
            const NoteEvent* last = nullptr;
            for (const NoteEvent& n : tune)
                if (n.start >= from - 0.01 && n.start < to)
                    last = &n;
            ASSERT_NE(last, nullptr);
            int lastBar = placeOf(last->start).bar;
            int root
                = pitchClass(float(degreePitch(*song, song->root + s.transpose, chordAt(lastBar))));
            EXPECT_EQ(pitchClass(last->pitch), root) << "phrase at bar " << first + bar;
            ++phrases;
        }
    }
    EXPECT_GE(phrases, 2);
}

// A phrase states its motif, then restates it four bars on: same rhythm.
TEST_P(Composition, MotifReturnsInTheSameRhythm)
{
    const Section* first = nullptr;
    for (const Section& s : song->sections)
        if ((s.layers & layerLead) && s.bars >= 8) {
            first = &s;
            break;
        }
    ASSERT_NE(first, nullptr);
    int start = firstBarOf(first) * kStepsPerBar;
    std::vector<int> statement, restatement;
    for (const NoteEvent& n : melody()) {
        int step = stepOf(n.start) - start;
        if (step >= 0 && step < 2 * kStepsPerBar)
            statement.push_back(step);
        if (step >= 4 * kStepsPerBar && step < 6 * kStepsPerBar)
            restatement.push_back(step - 4 * kStepsPerBar);
    }
    EXPECT_GE(statement.size(), 3u);
    EXPECT_EQ(statement, restatement);
}

// Where the bells recall the theme, they play the lead's rhythm: the tune
// is carried through the quiet, not replaced by something else.
TEST_P(Composition, ChimesRecallTheThemeInItsRhythm)
{
    auto onsets = [&](const std::vector<NoteEvent>& part, const Section& s, bool tuneOnly) {
        int start = firstBarOf(&s) * kStepsPerBar;
        std::vector<int> steps;
        for (const NoteEvent& n : part) {
            int step = stepOf(n.start) - start;
            if (step >= 0 && step < 2 * kStepsPerBar && (!tuneOnly || n.pan < 0.0f))
                steps.push_back(step);
        }
        return steps;
    };
    const Section* themed = nullptr;
    for (const Section& s : song->sections)
        if ((s.layers & layerLead) && s.theme == 0 && !themed)
            themed = &s;
    ASSERT_NE(themed, nullptr);
    for (const Section& s : song->sections) {
        if (!(s.layers & layerChime))
            continue;
        EXPECT_FALSE(s.layers & layerBell) << "random bells would trample the recalled theme";
        EXPECT_EQ(onsets(score.bell, s, false), onsets(score.lead, *themed, true));
    }
}

// A legato note slides in from the note before it in the tune, never from
// some other pitch: a wrong start would smear every phrase.
TEST_P(Composition, LegatoNotesSlideFromTheNoteBefore)
{
    std::vector<NoteEvent> tune = melody();
    int slides = 0;
    for (size_t i = 1; i < tune.size(); ++i) {
        if (tune[i].from == 0.0f)
            continue;
        EXPECT_EQ(tune[i].from, tune[i - 1].pitch) << "at " << tune[i].start << " s";
        EXPECT_LT(tune[i].start - (tune[i - 1].start + tune[i - 1].length), barSeconds(*song) / 16)
            << "a slide across a rest";
        ++slides;
    }
    EXPECT_GT(slides, 0);
    EXPECT_EQ(tune.front().from, 0.0f);
}

TEST_P(Composition, PartsKeepToTheirRegisters)
{
    // The bass lives between E1, the lowest a speaker plays, and middle C.
    for (const NoteEvent& n : score.bass) {
        EXPECT_GE(n.pitch, 28.0f) << "bass below what a speaker can play at " << n.start;
        EXPECT_LE(n.pitch, 60.0f) << "bass climbing out of its range at " << n.start;
    }
    float arpLow = 200.0f, arpHigh = 0.0f;
    for (const NoteEvent& n : score.arp) {
        float pitch = n.pitch - float(placeOf(n.start).section->transpose);
        arpLow = std::min(arpLow, pitch);
        arpHigh = std::max(arpHigh, pitch);
    }
    if (!score.arp.empty()) {
        EXPECT_LE(arpHigh - arpLow, 30.0f) << "the arpeggio spans more than two and a half octaves";
    }
    for (const NoteEvent& n : score.bell)
        EXPECT_LE(n.pitch, 90.0f) << "bell so high its overtones fold back";
    // Stabs sit in the middle, between the bass and the tune.
    for (const NoteEvent& n : score.stab) {
        float pitch = n.pitch - float(placeOf(n.start).section->transpose);
        EXPECT_GE(pitch, float(song->root + 12)) << "stab down in the bass at " << n.start;
        EXPECT_LE(pitch, float(song->root + 24 + 12)) << "stab up in the tune at " << n.start;
    }
}

TEST_P(Composition, EveryNoteAndHitFitsInTheSong)
{
    double end = songSeconds(*song);
    const std::vector<NoteEvent>* parts[]
        = {&score.pad, &score.bass, &score.arp, &score.lead, &score.bell, &score.stab};
    for (const std::vector<NoteEvent>* part : parts)
        for (const NoteEvent& n : *part) {
            EXPECT_GE(n.start, -0.01);
            EXPECT_GT(n.length, 0.0);
            EXPECT_LT(n.start + n.length, end);
        }
    for (const DrumHit& hit : score.drums) {
        EXPECT_GE(hit.time, -0.01);
        EXPECT_LT(hit.time, end);
    }
}

INSTANTIATE_TEST_SUITE_P(Tracks, Composition, ::testing::Range(1, kTracks + 1),
    [](const ::testing::TestParamInfo<int>& info) { return "track" + std::to_string(info.param); });

TEST(TrackSet, BossTracksAreFasterThanLevelTracks)
{
    const std::vector<Song>& songs = allSongs();
    ASSERT_EQ(songs.size(), size_t(kTracks));
    float slowestBoss = 1000.0f, fastestLevel = 0.0f;
    for (int track = 1; track <= kTracks; ++track) {
        EXPECT_EQ(songs[size_t(track - 1)].path, "music/track" + std::to_string(track) + ".ogg");
        float bpm = songs[size_t(track - 1)].bpm;
        if (isBoss(track))
            slowestBoss = std::min(slowestBoss, bpm);
        else
            fastestLevel = std::max(fastestLevel, bpm);
    }
    EXPECT_GT(slowestBoss, fastestLevel);
}

TEST(TrackSet, EachTrackHasItsOwnKeyAndTempo)
{
    std::set<std::pair<int, std::array<int, 7>>> keys;
    std::set<float> tempos;
    for (const Song& song : allSongs()) {
        EXPECT_TRUE(keys.insert({song.root % 12, song.scale}).second)
            << song.path << " repeats a key";
        EXPECT_TRUE(tempos.insert(song.bpm).second) << song.path << " repeats a tempo";
    }
}

TEST(TrackSet, DegreesCountThroughOctavesBothWays)
{
    const Song& song = allSongs()[1]; // a minor key
    int tonic = song.root;
    EXPECT_EQ(degreePitch(song, tonic, 0), tonic);
    EXPECT_EQ(degreePitch(song, tonic, 7), tonic + 12);
    EXPECT_EQ(degreePitch(song, tonic, -7), tonic - 12);
    EXPECT_EQ(degreePitch(song, tonic, -1), tonic - 12 + song.scale[6]);
    EXPECT_EQ(degreePitch(song, tonic, 9), tonic + 12 + song.scale[2]);
}

} // namespace
