// The instrument presets the tracks draw on: each returns a fresh patch
// that a track may adjust before use.
#pragma once

#include "music.h"

// Round and deep: a triangle over a sine an octave down.
Patch subBass();
// Punchy: a saw and a sub-octave square under a snapping filter.
Patch sawBass();
// The boss bass: detuned, driven and resonant.
Patch growlBass();
// Wide detuned saws, slow to swell: the spacious bed.
Patch warmPad();
// Hollow squares, lower and quicker: the tense bed.
Patch darkPad();
// Gentle: a triangle with a whisker-sharp saw beating against it.
Patch softLead();
// Bright and cutting, for the driving and boss tracks.
Patch sawLead();
// Soft and breathy, an octave harmonic on top: for the floating tracks.
Patch fluteLead();
// Hollow and reedy: a square through a plucked filter.
Patch squareLead();
// Nasal and ornamented: a narrow pulse through a resonant filter, fast
// vibrato and slow slides, like a double reed.
Patch reedLead();
// Brassy: an FM pair whose brightness blares at the attack and mellows.
Patch hornLead();
// A buzzing swarm: four detuned squares spread wide.
Patch swarmLead();
// Searing: saws doubled an octave up, driven into a screaming filter.
Patch screamLead();
// Short filtered pulse plucks, echoing.
Patch pluckArp();
// Bright, edgy plucks for the fights.
Patch sawArp();
// A small FM chime: glassy plucks for the spacious tracks.
Patch chimeArp();
// Short, bright, driven chord hits for the boss fights.
Patch stabChord();
// A long FM bell, its inharmonic shimmer fading into the echoes.
Patch glassBell();
