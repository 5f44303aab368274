// Damage a player can read: every hit on the ship shows where it struck and
// how much it took, in the world view. A mark on the ship's rim at the point
// of contact, the amount in a short-lived number beside the ship, and, for a
// hit from off screen, an arrow at the screen's edge toward whoever dealt it.
//
// Built on the ship-hit events (world/events.h), kept here on the
// presentation side. Hits are tallied per source: the hits of one source
// that come within tallyWindow ms of its last one add up to one number (a
// second: longer than most guns take to reload), so a stream of bullets
// reads as one growing total, and a ship resting against a
// body (hits of a ten-thousandth of health each step) shows nothing until
// its tally reaches a whole point of health.
#pragma once

#include "world/events.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace tether {

class Canvas;

constexpr int64_t tallyWindow = 1000; // ms after a source's last hit
constexpr float minShownDamage = 1.0f; // a tally shows from this much on
constexpr int64_t damageNumberLife = 1200; // ms after the tally's last hit
constexpr int64_t damageMarkLife = 400; // ms after each hit

// One source's hits, as shown.
struct DamageTally {
    uintptr_t source = 0; // WorldEvent::source: tells sources apart
    Cause cause = causeOther; // of the last hit
    float amount = 0; // health lost to the tally's hits
    float contactX = 0, contactY = 0; // the last hit's point, from the ship
    float sourceX = 0, sourceY = 0; // where the source was, from the ship
    int64_t lastStep = 0; // game time of the last hit
};

// Takes the ship hits of events that were not taken yet (a frame's events
// are taken once, however often it is drawn).
void takeShipHits(const EventQueue& events);
// The tallies on show at game time now, oldest first.
std::vector<DamageTally> damageOnShow(int64_t now);
// Takes the frame's hits from worldEvents and draws what is on show around
// the ship, for the camera at (cameraX, cameraY). Nothing without a ship.
void drawDamage(Canvas& canvas, int cameraX, int cameraY);
void drawDamage(SDL_Surface* screen, int cameraX, int cameraY);
// An arrow pointing along (ux, uy), a unit vector, from (fromX, fromY) on
// the screen: its tip just inside the screen's edge, or just outside the
// HUD panel where the line meets the panel first; size scales it (1: the
// damage arrow's 16 pixels long).
void drawEdgeArrow(Canvas& canvas, float fromX, float fromY, float ux, float uy, float size,
    Uint32 colour, Uint32 outline);
// Forgets every tally: a level's start, when game time begins again.
void forgetDamage();

} // namespace tether
