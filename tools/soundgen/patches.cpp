// Instrument presets. Levels here only shape each patch; where a part sits
// in a track's mix is set when the track is mixed.
#include "patches.h"

Patch subBass()
{
    Patch p;
    p.wave = Wave::triangle;
    p.wave2 = Wave::sine;
    p.mix2 = 0.6f;
    p.interval2 = -12.0f;
    p.amp = {0.01f, 0.4f, 0.8f, 0.15f};
    p.cutoff = 500.0f;
    p.envAmount = 400.0f;
    p.gain = 0.5f;
    p.reverb = 0.05f;
    return p;
}

Patch sawBass()
{
    Patch p;
    p.wave = Wave::saw;
    p.wave2 = Wave::square;
    p.mix2 = 0.35f;
    p.interval2 = -12.0f;
    p.amp = {0.003f, 0.2f, 0.7f, 0.06f};
    p.cutoff = 220.0f;
    p.envAmount = 1600.0f;
    p.filterDecay = 0.12f;
    p.resonance = 1.2f;
    p.drive = 0.5f;
    p.gain = 0.42f;
    p.reverb = 0.04f;
    return p;
}

Patch growlBass()
{
    Patch p = sawBass();
    p.unison = 2;
    p.detune = 18.0f;
    p.drive = 2.0f;
    p.cutoff = 280.0f;
    p.envAmount = 2400.0f;
    p.resonance = 1.8f;
    p.gain = 0.4f;
    return p;
}

Patch warmPad()
{
    Patch p;
    p.wave = Wave::saw;
    p.unison = 3;
    p.detune = 16.0f;
    p.width = 0.7f;
    p.amp = {0.7f, 1.5f, 0.85f, 1.4f};
    p.cutoff = 1300.0f;
    p.envAmount = 500.0f;
    p.filterDecay = 1.5f;
    p.gain = 0.1f;
    p.reverb = 0.55f;
    p.delay = 0.05f;
    return p;
}

Patch darkPad()
{
    Patch p = warmPad();
    p.wave = Wave::square;
    p.detune = 10.0f;
    p.cutoff = 750.0f;
    p.amp = {0.35f, 1.0f, 0.8f, 0.9f};
    p.gain = 0.1f;
    return p;
}

Patch softLead()
{
    Patch p;
    p.wave = Wave::triangle;
    p.wave2 = Wave::saw;
    p.mix2 = 0.35f;
    p.interval2 = 0.07f; // a whisker sharp: slow beating gives it life
    p.amp = {0.02f, 0.5f, 0.75f, 0.3f};
    p.cutoff = 1800.0f;
    p.envAmount = 1500.0f;
    p.filterDecay = 0.3f;
    p.vibrato = 0.15f;
    p.vibratoRate = 5.2f;
    p.glide = 0.04f;
    p.gain = 0.2f;
    p.reverb = 0.35f;
    p.delay = 0.3f;
    return p;
}

Patch sawLead()
{
    Patch p;
    p.wave = Wave::saw;
    p.unison = 2;
    p.detune = 9.0f;
    p.wave2 = Wave::square;
    p.mix2 = 0.25f;
    p.interval2 = -12.0f;
    p.amp = {0.008f, 0.3f, 0.7f, 0.2f};
    p.cutoff = 1500.0f;
    p.envAmount = 2800.0f;
    p.filterDecay = 0.25f;
    p.resonance = 1.4f;
    p.vibrato = 0.2f;
    p.vibratoRate = 5.8f;
    p.glide = 0.025f;
    p.drive = 0.3f;
    p.gain = 0.17f;
    p.reverb = 0.3f;
    p.delay = 0.25f;
    return p;
}

Patch fluteLead()
{
    Patch p;
    p.wave = Wave::triangle;
    p.wave2 = Wave::sine;
    p.mix2 = 0.25f;
    p.interval2 = 12.0f;
    p.amp = {0.06f, 0.6f, 0.8f, 0.4f};
    p.cutoff = 2500.0f;
    p.vibrato = 0.2f;
    p.vibratoRate = 4.6f;
    p.glide = 0.05f;
    p.gain = 0.2f;
    p.reverb = 0.45f;
    p.delay = 0.35f;
    return p;
}

Patch squareLead()
{
    Patch p;
    p.wave = Wave::square;
    p.unison = 2;
    p.detune = 7.0f;
    p.amp = {0.005f, 0.35f, 0.65f, 0.18f};
    p.cutoff = 1100.0f;
    p.envAmount = 2200.0f;
    p.filterDecay = 0.2f;
    p.resonance = 1.2f;
    p.vibrato = 0.12f;
    p.vibratoRate = 6.0f;
    p.glide = 0.02f;
    p.gain = 0.17f;
    p.reverb = 0.3f;
    p.delay = 0.3f;
    return p;
}

Patch reedLead()
{
    Patch p;
    p.wave = Wave::pulse25;
    p.wave2 = Wave::square;
    p.mix2 = 0.2f;
    p.interval2 = 12.0f;
    p.amp = {0.012f, 0.3f, 0.8f, 0.15f};
    p.cutoff = 1300.0f;
    p.envAmount = 1400.0f;
    p.filterDecay = 0.2f;
    p.resonance = 2.6f;
    p.vibrato = 0.25f;
    p.vibratoRate = 6.6f;
    p.glide = 0.06f;
    p.drive = 0.6f;
    p.gain = 0.2f;
    p.reverb = 0.3f;
    p.delay = 0.2f;
    return p;
}

Patch hornLead()
{
    Patch p;
    p.fmRatio = 1.0f; // harmonic: every overtone of a brass tube
    p.fmIndex = 2.6f;
    p.fmDecay = 0.35f;
    p.wave2 = Wave::saw;
    p.mix2 = 0.3f;
    p.interval2 = 0.1f;
    p.amp = {0.03f, 0.4f, 0.75f, 0.18f};
    p.cutoff = 2400.0f;
    p.envAmount = 1200.0f;
    p.filterDecay = 0.15f;
    p.vibrato = 0.12f;
    p.vibratoRate = 5.0f;
    p.glide = 0.03f;
    p.drive = 0.4f;
    p.gain = 0.2f;
    p.reverb = 0.4f;
    p.delay = 0.15f;
    return p;
}

Patch swarmLead()
{
    Patch p;
    p.wave = Wave::square;
    p.unison = 4;
    p.detune = 32.0f;
    p.width = 0.8f;
    p.amp = {0.006f, 0.3f, 0.7f, 0.15f};
    p.cutoff = 1200.0f;
    p.envAmount = 2600.0f;
    p.filterDecay = 0.15f;
    p.resonance = 1.6f;
    p.glide = 0.03f;
    p.drive = 0.4f;
    p.gain = 0.17f;
    p.reverb = 0.25f;
    p.delay = 0.3f;
    return p;
}

Patch screamLead()
{
    Patch p;
    p.wave = Wave::saw;
    p.unison = 2;
    p.detune = 6.0f;
    p.wave2 = Wave::saw;
    p.mix2 = 0.35f;
    p.interval2 = 12.0f;
    p.amp = {0.005f, 0.4f, 0.75f, 0.2f};
    p.cutoff = 1400.0f;
    p.envAmount = 3000.0f;
    p.filterDecay = 0.3f;
    p.resonance = 2.0f;
    p.vibrato = 0.3f;
    p.vibratoRate = 6.2f;
    p.glide = 0.035f;
    p.drive = 0.9f;
    p.gain = 0.16f;
    p.reverb = 0.3f;
    p.delay = 0.25f;
    return p;
}

Patch pluckArp()
{
    Patch p;
    p.wave = Wave::pulse25;
    p.amp = {0.001f, 0.16f, 0.0f, 0.08f};
    p.cutoff = 500.0f;
    p.envAmount = 3200.0f;
    p.filterDecay = 0.08f;
    p.resonance = 1.3f;
    p.gain = 0.13f;
    p.pan = 0.25f;
    p.reverb = 0.25f;
    p.delay = 0.35f;
    return p;
}

Patch sawArp()
{
    Patch p = pluckArp();
    p.wave = Wave::saw;
    p.cutoff = 700.0f;
    p.envAmount = 4000.0f;
    p.filterDecay = 0.06f;
    p.resonance = 1.8f;
    p.pan = -0.2f;
    return p;
}

Patch chimeArp()
{
    Patch p = pluckArp();
    p.fmRatio = 2.0f;
    p.fmIndex = 1.5f;
    p.fmDecay = 0.08f;
    p.cutoff = 6000.0f;
    p.envAmount = 0.0f;
    p.amp = {0.001f, 0.25f, 0.0f, 0.15f};
    return p;
}

Patch glassBell()
{
    Patch p;
    p.fmRatio = 1.4f; // inharmonic: the metallic shimmer of a bell
    p.fmIndex = 2.2f;
    p.fmDecay = 0.5f;
    p.amp = {0.002f, 1.0f, 0.0f, 1.0f};
    p.cutoff = 5000.0f;
    p.gain = 0.14f;
    p.reverb = 0.5f;
    p.delay = 0.45f;
    return p;
}

Patch stabChord()
{
    Patch p;
    p.wave = Wave::saw;
    p.unison = 2;
    p.detune = 12.0f;
    p.width = 0.5f;
    p.amp = {0.002f, 0.12f, 0.0f, 0.08f};
    p.cutoff = 900.0f;
    p.envAmount = 2500.0f;
    p.filterDecay = 0.08f;
    p.resonance = 1.5f;
    p.drive = 0.5f;
    p.gain = 0.12f;
    p.reverb = 0.3f;
    p.delay = 0.15f;
    return p;
}
