// The presentation's memory between frames.
//
// Shown hits are kept by the object's address with the step of the last
// hit shown. An address freed by the world and taken by a new object is
// harmless: the world frees objects only between frames, so every hit of
// the newcomer comes at a later step than anything remembered for the old
// one. Entries of objects gone are pruned now and then.
#include "render/presentation.h"
#include "content/worldinuse.h"

#include "render/damage.h"

#include "world/object.h"
#include "world/world.h"

#include <unordered_map>
#include <unordered_set>

namespace tether {

Random presentationRandom;
int64_t drawnStep = -1;

namespace {

std::unordered_map<const Object*, int64_t> shownHits;
constexpr size_t shownHitsPruneAt = 4096;

void pruneShownHits()
{
    const std::unordered_set<const Object*> live(
        world().drawables.begin(), world().drawables.end());
    for (auto it = shownHits.begin(); it != shownHits.end();)
        it = live.count(it->first) ? std::next(it) : shownHits.erase(it);
}

} // namespace

bool thrustSinceLastFrame(const Object& flame)
{
    return !flame.hidden && flame.lastThrustStep > drawnStep;
}

bool takeNewHit(const Object& object)
{
    if (object.lastHitStep < 0)
        return false;
    auto [entry, added] = shownHits.try_emplace(&object, object.lastHitStep);
    if (added) {
        if (shownHits.size() > shownHitsPruneAt)
            pruneShownHits();
        return true;
    }
    if (entry->second >= object.lastHitStep)
        return false;
    entry->second = object.lastHitStep;
    return true;
}

void forgetShownHits()
{
    shownHits.clear();
    forgetDamage();
}

} // namespace tether
