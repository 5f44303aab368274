// The one entity record of the world. Every thing in a level is an Object:
// the ship, its hooks and turret, enemies and their guns, mines, planets,
// suns, black holes, every shot and every explosion. What an Object is comes
// from its kind code `type`, and what that kind does from its row of the
// kinds table (world/kinds.h).
#pragma once

#include "world/events.h"
#include "world/kinds.h"

#include <cstdint>
#include <list>

namespace tether {

class Connector;
struct World;

class Object {
public:
    Object(float mass, float radius, float x, float y, float vx, float vy, float angle, float spin,
        void* look, int type, int reloadTime, float health);
    // Deletes its children and their Connectors with it; a listed object is
    // taken off its world's lists first (destroyObject).
    ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // One physics step of dt milliseconds: forces to velocity and position,
    // heading, reload, lifetimes, death and the explosion clock.
    void update(World& world, int dt);
    // Attaches child with a new Connector (see connector.h) and returns it.
    Connector* addChild(World& world, Object* child, float distance, float offsetAngle,
        float childAngle, bool rotateWithParent, bool passForces, bool absoluteAngle,
        bool localOffset);

    float mass;
    float radius;
    float x, y;
    float vx, vy; // world units per ms
    float angle; // heading, radians, clockwise on screen
    float spin; // radians per ms for the coming step only
    float fx = 0, fy = 0; // force gathered for the coming step
    bool loaded = true; // weapon ready
    bool hooked = false; // held by a hook rope
    bool hidden = false; // the flame: put out by the controls; drawing skips it
    float health; // hit points; lifetime for shots; clock while exploding
    int type;
    const int bornType; // the kind it was made as: what it looks like once it dies
    int reloadTime; // ms to re-arm after a shot
    int reloadTimer = 0; // ms since the shot while not loaded
    int kind = -1; // an enemy's class 1..12 (world/enemyclasses.h); -1 for none
    bool expiredBall = false; // a BFG ball whose lifetime ran out: it explodes with its own frames
    // Drawing's handle for the image it wears (render/looks.h), given by the
    // content side as it makes the object: never read here; may be null.
    void* look;
    Connector* turret1 = nullptr; // an enemy's first gun mount
    Connector* turret2 = nullptr; // a two-gun enemy's second mount
    Object* owner; // parent, or the shooter of a shot
    Object* flame = nullptr; // the ship's thrust flame
    std::list<Connector*>* children = nullptr; // owned, with the children in it

    // Written by the rules, in steps of game time (LevelStats::gameTime),
    // so that presentation can tell what happened since it last looked.
    int64_t lastHitStep = -1; // the step it last took a hit; -1 never
    // The flame: the step in which the controls last lit it. A new flame
    // counts as lit before the first step, as it always has been: the
    // level's first frame shows it unless a step puts it out.
    int64_t lastThrustStep = 0;
    int64_t releasedStep = -1; // when a tie-off let it go off our rope; -1 never
    int lastDamageCause = causeOther; // a Cause; the last one that took health
};

// Takes object's children, and theirs, off the world's drawables and
// connectors: what its destructor deletes with it.
void unlistChildren(World& world, const Object& object);
// Deletes object and its children, their Connectors taken off the world's lists.
void destroyObject(World& world, Object* object);

} // namespace tether
