// How long the frames of a level or a playback take to simulate, draw and
// show (their work, not the waits between them): kept for a report that
// compares builds (the desktop prints it at the end when TETHER_FRAME_TIMES
// is set; the browser's page reads it).
#pragma once

#include <string>

namespace tether {

// A clock for frame times, in milliseconds (the browser's finest).
double frameClockMs();
// Keeps one frame's time (program.cpp: a level's or a playback's frames).
void keepFrameTime(double ms);
// The frames timed so far: count, median and 95th percentile in
// milliseconds, as one line of JSON.
std::string frameTimesReport();

} // namespace tether
