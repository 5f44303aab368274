// The thirteen tracks. Tracks 2 to 6 play in ordinary levels, one after
// another in random order, so they share a calm-to-driving range and each has
// its own key and colour. Tracks 1 and 7 to 13 are boss music, one for each
// boss: faster, lower, in the darker modes (harmonic minor's raised seventh,
// phrygian's flat second) with driven bass and busier drums.
#include "music.h"
#include "patches.h"

namespace {

// --- Shorthand for the section lists ---
constexpr unsigned kAmbient = layerPad | layerBell;
constexpr unsigned kGroove = layerPad | layerBass | layerArp | layerDrums;
constexpr unsigned kFull = kGroove | layerLead;
constexpr unsigned kReturn = kFull | layerCounter;
constexpr unsigned kBossB = kFull | layerStab; // the fights' second theme, pushed by stabs
constexpr unsigned kBreakdown = layerPad | layerArp | layerChime; // the theme recalled on bells

// Space and effect settings most tracks share; each song overrides a few.
Song base()
{
    Song s {};
    s.swing = 0.0f;
    s.themeDensity = {0.4f, 0.3f};
    s.themeOctave = {2, 2};
    s.sevenths = false;
    s.bass = sawBass();
    s.pad = warmPad();
    s.lead = softLead();
    s.arp = pluckArp();
    s.bell = glassBell();
    s.stab = stabChord();
    s.reverbRoom = 0.8f;
    s.reverbDamp = 0.5f;
    s.reverbReturn = 0.9f;
    s.delayBeats = 0.75f; // a dotted eighth
    s.delayFeedback = 0.4f;
    s.delayReturn = 0.6f;
    return s;
}

// Boss fight in D harmonic minor: galloping kicks, a growling rolling bass
// and the raised seventh pulling hard back to the tonic.
Song collapsar()
{
    Song s = base();
    s.path = "music/track1.ogg";
    s.title = "Collapsar";
    s.seed = 1001;
    s.bpm = 148.0f;
    s.root = 38;
    s.scale = scales::harmonicMinor;
    s.progressions = {{0, 0, 5, 4, 0, 0, 3, 4}, {3, 0, 5, 4}, {0, 0, 1, 1}};
    s.sections = {
        {4, layerPad | layerBass | layerHats, 2, 0, 0, true},
        {16, kFull, 0, 0, 2, false},
        {8, kBossB, 1, 1, 3, true},
        {8, layerPad | layerArp | layerBass, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false},
        {8, kBossB, 1, 1, 3, true},
        {4, layerPad | layerBass | layerKick, 0, 0, 1, false},
    };
    s.groove = Groove::gallop;
    s.bassLine = BassLine::rolling;
    s.arpShape = ArpShape::pinball;
    s.themeDensity = {0.6f, 0.35f};
    s.bass = growlBass();
    s.pad = darkPad();
    s.lead = sawLead();
    s.arp = sawArp();
    s.kit = {51.0f, 1.2f, 180.0f, 1.0f, 7000.0f, 1.0f};
    s.reverbRoom = 0.7f;
    s.delayBeats = 0.5f;
    return s;
}

// Drifting in E minor: broken beats under wide seventh-chord pads, a calm
// tune over the top and bells that echo away.
Song drift()
{
    Song s = base();
    s.path = "music/track2.ogg";
    s.title = "Drift";
    s.seed = 2002;
    s.bpm = 108.0f;
    s.root = 40;
    s.scale = scales::minor;
    s.progressions = {{0, 5, 2, 6, 3, 5, 6, 0}, {3, 4, 5, 6}, {5, 3, 0, 0}};
    s.sections = {
        {8, kAmbient, 0, 0, 0, false},
        {8, layerPad | layerBass | layerArp | layerKick | layerHats | layerLead, 0, 0, 1, false},
        {8, kFull, 0, 0, 2, false},
        {8, kFull, 1, 1, 2, true},
        {8, kBreakdown, 2, 0, 0, true},
        {8, kReturn, 0, 0, 3, false},
        {8, kFull, 1, 1, 3, false},
        {8, kAmbient | layerArp | layerHats, 0, 0, 1, false},
    };
    s.groove = Groove::breakbeat;
    s.bassLine = BassLine::pulse;
    s.arpShape = ArpShape::upDown;
    s.swing = 0.1f;
    s.pump = {0.15f, 0.2f};
    s.sevenths = true;
    s.themeDensity = {0.3f, 0.25f};
    s.kit = {52.0f, 1.0f, 200.0f, 0.9f, 7500.0f, 0.9f};
    return s;
}

// Solar wind in G dorian: four on the floor, octave-jumping bass, and the
// dorian's bright major fourth chord keeping it hopeful.
Song solarWind()
{
    Song s = base();
    s.path = "music/track3.ogg";
    s.title = "Solar Wind";
    s.seed = 3003;
    s.bpm = 124.0f;
    s.root = 31;
    s.scale = scales::dorian;
    s.progressions = {{0, 3, 0, 6, 2, 3, 6, 6}, {2, 6, 3, 0}, {0, 0, 3, 3}};
    s.sections = {
        {8, layerPad | layerArp | layerHats, 0, 0, 1, false},
        {16, kFull, 0, 0, 2, false},
        {8, kFull, 1, 1, 2, true},
        {8, kBreakdown, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false, 2}, // the return lifts a whole step
        {8, kFull, 1, 1, 3, false, 2},
        {4, layerPad | layerArp | layerKick, 0, 0, 1, false, 2},
    };
    s.groove = Groove::fourFloor;
    s.pump = {0.4f, 0.15f};
    s.bassLine = BassLine::octaves;
    s.arpShape = ArpShape::up;
    s.themeDensity = {0.5f, 0.35f};
    s.themeOctave = {3, 3};
    s.lead = sawLead();
    s.kit = {50.0f, 1.0f, 190.0f, 1.0f, 8000.0f, 1.0f};
    return s;
}

// Dark matter in F-sharp phrygian: slow half-time weight, a bass that
// pushes against the beat, and the flat second creeping in.
Song darkMatter()
{
    Song s = base();
    s.path = "music/track4.ogg";
    s.title = "Dark Matter";
    s.seed = 4004;
    s.bpm = 96.0f;
    s.root = 30;
    s.scale = scales::phrygian;
    s.progressions = {{0, 1, 0, 6, 5, 6, 1, 0}, {5, 6, 0, 0}, {0, 0, 1, 1}};
    s.sections = {
        {8, layerPad | layerBass | layerBell, 2, 0, 0, false},
        {8, layerPad | layerBass | layerKick | layerHats | layerLead, 0, 0, 1, false},
        {8, kFull, 0, 0, 2, true},
        {8, kFull, 1, 1, 2, true},
        {8, kBreakdown, 2, 0, 0, true},
        {8, kReturn, 0, 0, 3, false},
        {4, layerPad | layerBass | layerArp | layerBell, 0, 0, 1, false},
    };
    s.groove = Groove::halfTime;
    s.bassLine = BassLine::syncopated;
    s.arpShape = ArpShape::broken;
    s.themeDensity = {0.35f, 0.2f};
    s.themeOctave = {3, 3};
    s.pad = darkPad();
    s.lead.cutoff = 1100.0f; // the soft lead, darker still
    s.lead.reverb = 0.5f;
    s.kit = {50.0f, 1.1f, 170.0f, 1.1f, 6500.0f, 1.0f};
    s.reverbRoom = 0.88f;
    return s;
}

// Nebula in E-flat lydian: the brightest track, slow and floating, with the
// raised fourth's shimmer in the second chord and bells everywhere.
Song nebula()
{
    Song s = base();
    s.path = "music/track5.ogg";
    s.title = "Nebula";
    s.seed = 5005;
    s.bpm = 92.0f;
    s.root = 39;
    s.scale = scales::lydian;
    s.progressions = {{0, 1, 5, 4, 0, 1, 2, 4}, {5, 2, 1, 0}, {0, 1, 0, 1}};
    s.sections = {
        {8, kAmbient, 2, 0, 0, false},
        {8, kAmbient | layerArp | layerBass | layerHats | layerLead, 0, 0, 1, false},
        {8, kFull | layerBell, 1, 1, 2, true},
        {8, kBreakdown, 2, 0, 0, true},
        {8, kReturn | layerBell, 0, 0, 2, false},
        {8, kFull, 1, 1, 3, false},
        {4, kAmbient | layerArp, 0, 0, 0, false},
    };
    s.groove = Groove::pulse;
    s.bassLine = BassLine::pulse;
    s.arpShape = ArpShape::upDown;
    s.swing = 0.15f;
    s.sevenths = true;
    s.themeDensity = {0.25f, 0.3f};
    s.bass = subBass();
    s.lead = fluteLead();
    s.arp = chimeArp();
    s.kit = {55.0f, 0.8f, 210.0f, 0.7f, 8000.0f, 0.8f};
    s.reverbRoom = 0.9f;
    s.delayFeedback = 0.5f;
    return s;
}

// Slingshot in C minor: fast broken beats, a syncopated bass and a saw lead,
// for levels that are all about speed.
Song slingshot()
{
    Song s = base();
    s.path = "music/track6.ogg";
    s.title = "Slingshot";
    s.seed = 6006;
    s.bpm = 132.0f;
    s.root = 36;
    s.scale = scales::minor;
    s.progressions = {{0, 6, 5, 6, 3, 5, 6, 6}, {3, 4, 5, 4}, {5, 5, 0, 0}};
    s.sections = {
        {4, layerPad | layerArp | layerHats, 0, 0, 1, false},
        {16, kFull, 0, 0, 2, false},
        {8, kFull, 1, 1, 3, true},
        {8, kBreakdown, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false},
        {8, kFull, 1, 1, 3, false},
        {4, layerPad | layerArp, 0, 0, 1, false},
    };
    s.groove = Groove::breakbeat;
    s.bassLine = BassLine::syncopated;
    s.arpShape = ArpShape::pinball;
    s.pump = {0.25f, 0.12f};
    s.themeDensity = {0.55f, 0.4f};
    s.lead = squareLead();
    s.kit = {50.0f, 1.0f, 200.0f, 1.0f, 7500.0f, 1.0f};
    return s;
}

// Boss fight in C-sharp phrygian at a sprint: rolling bass on every
// sixteenth and the flat second hammered like an alarm.
Song warlord()
{
    Song s = base();
    s.path = "music/track7.ogg";
    s.title = "Warlord";
    s.seed = 7007;
    s.bpm = 164.0f;
    s.root = 37;
    s.scale = scales::phrygian;
    s.progressions = {{0, 1, 0, 1, 5, 6, 1, 1}, {5, 6, 5, 1}, {0, 0, 6, 1}};
    s.sections = {
        {8, layerPad | layerBass | layerHats, 2, 0, 1, true},
        {16, kFull, 0, 0, 2, false},
        {8, kBossB, 1, 1, 3, true},
        {8, layerPad | layerArp | layerBass, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false},
        {8, kBossB, 1, 1, 3, true},
        {8, kGroove, 0, 0, 2, false},
    };
    s.groove = Groove::breakbeat;
    s.bassLine = BassLine::rolling;
    s.arpShape = ArpShape::broken;
    s.themeDensity = {0.5f, 0.4f};
    s.bass = growlBass();
    s.pad = darkPad();
    s.lead = sawLead();
    s.arp = sawArp();
    s.kit = {50.0f, 1.3f, 185.0f, 1.1f, 7000.0f, 1.0f};
    s.reverbRoom = 0.65f;
    s.delayBeats = 0.5f;
    return s;
}

// Boss fight in B harmonic minor: a heavy half-time stomp with the dominant
// chord looming over every other bar.
Song annihilator()
{
    Song s = base();
    s.path = "music/track8.ogg";
    s.title = "Annihilator";
    s.seed = 8008;
    s.bpm = 140.0f;
    s.root = 35;
    s.scale = scales::harmonicMinor;
    s.progressions = {{0, 4, 5, 4, 0, 4, 3, 4}, {3, 4, 0, 0}, {0, 5, 1, 4}};
    s.sections = {
        {8, layerPad | layerBass | layerKick, 2, 0, 1, true},
        {16, kFull, 0, 0, 2, false},
        {8, kBossB, 1, 1, 3, true},
        {8, kBreakdown, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false},
        {8, kBossB, 1, 1, 3, false},
        {4, layerPad | layerBass | layerKick, 0, 0, 1, false},
    };
    s.groove = Groove::halfTime;
    s.bassLine = BassLine::syncopated;
    s.arpShape = ArpShape::upDown;
    s.themeDensity = {0.45f, 0.3f};
    s.bass = growlBass();
    s.pad = darkPad();
    s.lead = sawLead();
    s.arp = sawArp();
    s.kit = {49.0f, 1.4f, 165.0f, 1.2f, 6500.0f, 1.05f};
    s.reverbRoom = 0.75f;
    return s;
}

// The last boss in F minor, fastest of all: four on the floor at a run and
// a lament of a progression falling under it.
Song finalOrbit()
{
    Song s = base();
    s.path = "music/track9.ogg";
    s.title = "Final Orbit";
    s.seed = 9009;
    s.bpm = 172.0f;
    s.root = 29;
    s.scale = scales::minor;
    s.progressions = {{0, 5, 3, 4, 0, 5, 6, 4}, {5, 6, 0, 0}, {0, 6, 5, 4}};
    s.sections = {
        {8, layerPad | layerBass | layerHats | layerArp, 2, 0, 1, true},
        {16, kFull, 0, 0, 2, false},
        {16, kBossB, 1, 1, 3, true},
        {8, kBreakdown, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false, 1}, // a semitone higher: the screw turns
        {8, kBossB, 1, 1, 3, true, 1},
        {8, kGroove, 0, 0, 2, false, 1},
    };
    s.groove = Groove::fourFloor;
    s.pump = {0.3f, 0.1f};
    s.bassLine = BassLine::rolling;
    s.arpShape = ArpShape::up;
    s.themeDensity = {0.4f, 0.3f};
    s.themeOctave = {3, 3};
    s.bass = growlBass();
    s.pad = darkPad();
    s.lead = sawLead();
    s.arp = sawArp();
    s.kit = {52.0f, 1.3f, 190.0f, 1.0f, 7500.0f, 1.0f};
    s.reverbRoom = 0.7f;
    s.delayBeats = 0.5f;
    return s;
}

// Boss fight in E phrygian dominant: war drums on the toms, a bass locked
// to them, and a reedy lead winding over a major tonic and its flat second.
Song maelstrom()
{
    Song s = base();
    s.path = "music/track10.ogg";
    s.title = "Maelstrom";
    s.seed = 10022;
    s.bpm = 156.0f;
    s.root = 40;
    s.scale = scales::phrygianDominant;
    s.progressions = {{0, 1, 0, 6, 3, 6, 1, 0}, {3, 1, 5, 0}, {0, 1, 0, 6}};
    s.sections = {
        {8, layerPad | layerBass | layerKick, 2, 0, 1, true},
        {16, kFull, 0, 0, 2, false},
        {8, kBossB, 1, 1, 3, true},
        {8, kBreakdown | layerKick, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false},
        {8, kBossB, 1, 1, 3, true},
        {4, layerPad | layerBass | layerKick, 0, 0, 1, false},
    };
    s.groove = Groove::tribal;
    s.bassLine = BassLine::syncopated;
    s.arpShape = ArpShape::upDown;
    s.themeDensity = {0.45f, 0.55f};
    s.bass = sawBass();
    s.pad = darkPad();
    s.lead = reedLead();
    s.arp = sawArp();
    s.kit = {53.0f, 1.0f, 175.0f, 0.9f, 6000.0f, 1.0f};
    s.reverbRoom = 0.8f;
    return s;
}

// Boss fight in A dorian at a march: a kick on every beat, a snare
// drummer's rudiments, a bass striding in octaves and a brass lead over the mode's defiant major
// fourth.
Song dreadnought()
{
    Song s = base();
    s.path = "music/track11.ogg";
    s.title = "Dreadnought";
    s.seed = 11076;
    s.bpm = 144.0f;
    s.root = 33;
    s.scale = scales::dorian;
    s.progressions = {{0, 6, 3, 0, 2, 6, 4, 0}, {2, 6, 3, 3}, {0, 0, 3, 3}};
    s.sections = {
        {8, layerPad | layerSnare, 2, 0, 1, false},
        {8, kGroove, 0, 0, 2, false},
        {16, kFull, 0, 0, 2, false},
        {8, kBossB, 1, 1, 3, true},
        {8, kBreakdown | layerSnare, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false},
        {8, kBossB, 1, 1, 3, true},
        {4, layerPad | layerBass | layerSnare, 0, 0, 1, false},
    };
    s.groove = Groove::march;
    s.bassLine = BassLine::octaves;
    s.arpShape = ArpShape::up;
    s.themeDensity = {0.3f, 0.4f};
    s.themeOctave = {3, 3};
    s.bass = sawBass();
    s.bass.drive = 1.2f;
    s.pad = warmPad();
    s.lead = hornLead();
    s.arp = sawArp();
    s.kit = {50.0f, 1.2f, 200.0f, 0.9f, 6500.0f, 1.0f};
    s.reverbRoom = 0.85f;
    s.delayBeats = 1.0f;
    return s;
}

// Boss fight in G-sharp minor: kicks three, three and two eighths apart
// under a rolling bass, and a lead that buzzes like a swarm.
Song swarm()
{
    Song s = base();
    s.path = "music/track12.ogg";
    s.title = "Swarm";
    s.seed = 12012;
    s.bpm = 152.0f;
    s.root = 32;
    s.scale = scales::minor;
    s.progressions = {{0, 2, 6, 3, 0, 2, 5, 4}, {5, 4, 3, 6}, {0, 3, 0, 5}};
    s.sections = {
        {4, layerPad | layerArp | layerHats, 2, 0, 1, true},
        {16, kFull, 0, 0, 2, false},
        {8, kBossB, 1, 1, 3, true},
        {8, kBreakdown | layerHats, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false},
        {8, kBossB, 1, 1, 3, true},
        {8, kGroove, 0, 0, 2, false},
    };
    s.groove = Groove::tresillo;
    s.bassLine = BassLine::rolling;
    s.arpShape = ArpShape::broken;
    s.swing = 0.1f;
    s.pump = {0.2f, 0.12f};
    s.themeDensity = {0.55f, 0.4f};
    s.themeOctave = {3, 3};
    s.bass = growlBass();
    s.pad = darkPad();
    s.lead = swarmLead();
    s.arp = sawArp();
    s.kit = {54.0f, 1.1f, 210.0f, 1.0f, 8500.0f, 1.0f};
    s.reverbRoom = 0.7f;
    s.delayBeats = 0.5f;
    return s;
}

// Boss fight in B-flat neapolitan minor: the kick doubling to every eighth
// over a bass chugging with it, a screaming lead, the flat second falling onto the tonic, and a
// last return that climbs a minor third.
Song supernova()
{
    Song s = base();
    s.path = "music/track13.ogg";
    s.title = "Supernova";
    s.seed = 13061;
    s.bpm = 168.0f;
    s.root = 34;
    s.scale = scales::neapolitanMinor;
    s.progressions = {{0, 3, 5, 1, 0, 3, 1, 0}, {5, 3, 1, 1}, {0, 1, 0, 1}};
    s.sections = {
        {8, layerPad | layerBass | layerHats, 2, 0, 1, true},
        {16, kFull, 0, 0, 2, false},
        {16, kBossB, 1, 1, 3, true},
        {8, kBreakdown, 2, 0, 0, true},
        {16, kReturn, 0, 0, 3, false, 3},
        {8, kBossB, 1, 1, 3, true, 3},
        {8, kGroove, 0, 0, 2, false, 3},
    };
    s.groove = Groove::doubleKick;
    s.pump = {0.12f, 0.08f};
    s.bassLine = BassLine::pulse;
    s.arpShape = ArpShape::pinball;
    s.themeDensity = {0.4f, 0.5f};
    s.themeOctave = {3, 3};
    s.bass = growlBass();
    s.pad = darkPad();
    s.lead = screamLead();
    s.arp = sawArp();
    s.kit = {49.0f, 1.5f, 180.0f, 1.1f, 7500.0f, 1.0f};
    s.reverbRoom = 0.7f;
    s.delayBeats = 0.5f;
    return s;
}

} // namespace

const std::vector<Song>& allSongs()
{
    static const std::vector<Song> songs
        = {collapsar(), drift(), solarWind(), darkMatter(), nebula(), slingshot(), warlord(),
            annihilator(), finalOrbit(), maelstrom(), dreadnought(), swarm(), supernova()};
    return songs;
}
