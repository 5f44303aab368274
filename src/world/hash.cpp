// The world hash. Left out on purpose: images (presentation), the event
// queue (drained every frame), and backx/backy, which only remember how far
// the background has scrolled since the game started and so would make a
// level's hash depend on the levels played before it.
#include "world/hash.h"

#include "world/connector.h"
#include "world/contacts.h"
#include "world/object.h"
#include "world/random.h"
#include "world/spring.h"
#include "world/stats.h"
#include "world/world.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace tether {

namespace {

class Fnv {
public:
    template <typename T> void add(const T& value)
    {
        // A count is hashed in 64 bits, as on the desktop, where size_t is
        // narrower (WebAssembly), so a level hashes the same on both.
        if constexpr (std::is_same_v<T, std::size_t> && sizeof(T) < sizeof(uint64_t))
            addBytes(static_cast<uint64_t>(value));
        else
            addBytes(value);
    }
    uint64_t hash = 14695981039346656037ull;

private:
    template <typename T> void addBytes(const T& value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes)
            hash = (hash ^ b) * 1099511628211ull;
    }
};

constexpr int nowhere = -1; // a null reference
constexpr int elsewhere = -2; // an Object or Connector outside the walk

// Every Object in the order of a fixed walk: objects, then each one's
// children depth first, then whatever only the other registries, the
// ropes, the connectors or the handles reach.
class Walk {
public:
    explicit Walk(const World& world)
    {
        for (Object* o : world.objects)
            visit(o);
        for (const std::list<Object*>* list :
            {&world.dynamicMasses, &world.attractingMasses, &world.enemies, &world.drawables})
            for (Object* o : *list)
                visit(o);
        for (const Spring* rope : world.springs) {
            visit(rope->endA);
            visit(rope->endB);
        }
        for (const Connector* link : world.connectors) {
            visit(link->parent);
            visit(link->child);
        }
        for (Object* o : {world.ship, world.turret, world.leftGrapHook, world.rightGrapHook})
            visit(o);
        int n = 0;
        for (const Connector* link : world.connectors)
            links.emplace(link, n++);
    }

    int id(const Object* o) const
    {
        if (!o)
            return nowhere;
        auto it = ids.find(o);
        return it == ids.end() ? elsewhere : it->second;
    }
    int id(const Connector* link) const
    {
        if (!link)
            return nowhere;
        auto it = links.find(link);
        return it == links.end() ? elsewhere : it->second;
    }

    std::vector<const Object*> order;

private:
    void visit(const Object* o)
    {
        if (!o || ids.count(o))
            return;
        ids.emplace(o, static_cast<int>(order.size()));
        order.push_back(o);
        if (o->children)
            for (const Connector* link : *o->children)
                visit(link->child);
    }

    std::unordered_map<const Object*, int> ids;
    std::unordered_map<const Connector*, int> links;
};

constexpr int expiredBallMark = 1337;

void addObject(Fnv& h, const Walk& walk, const Object& o)
{
    for (float v : {o.mass, o.radius, o.x, o.y, o.vx, o.vy, o.angle, o.spin, o.fx, o.fy, o.health})
        h.add(v);
    // An expired ball is hashed as class 1337, the mark it carried in its
    // class when the hash was first laid down, so that recorded replays keep
    // their hashes.
    const int hashedClass = o.expiredBall ? expiredBallMark : o.kind;
    for (int v : {o.type, o.reloadTime, o.reloadTimer, hashedClass, o.lastDamageCause})
        h.add(v);
    for (bool v : {o.loaded, o.hooked, o.hidden})
        h.add(v);
    for (int64_t v : {o.lastHitStep, o.lastThrustStep, o.releasedStep})
        h.add(v);
    for (int v : {walk.id(o.owner), walk.id(o.flame), walk.id(o.turret1), walk.id(o.turret2)})
        h.add(v);
    h.add(o.children ? static_cast<int>(o.children->size()) : nowhere);
    if (o.children)
        for (const Connector* link : *o.children)
            h.add(walk.id(link));
}

void addList(Fnv& h, const Walk& walk, const std::list<Object*>& list)
{
    h.add(list.size());
    for (const Object* o : list)
        h.add(walk.id(o));
}

} // namespace

uint64_t worldHash(const World& world)
{
    const Walk walk(world);
    Fnv h;
    h.add(walk.order.size());
    for (const Object* o : walk.order)
        addObject(h, walk, *o);
    for (const std::list<Object*>* list : {&world.objects, &world.dynamicMasses,
             &world.attractingMasses, &world.enemies, &world.drawables})
        addList(h, walk, *list);

    h.add(world.connectors.size());
    for (const Connector* link : world.connectors) {
        h.add(walk.id(link->parent));
        h.add(walk.id(link->child));
        for (bool v :
            {link->rotateWithParent, link->passForces, link->absoluteAngle, link->localOffset})
            h.add(v);
        for (float v : {link->distance, link->offsetAngle, link->childAngle})
            h.add(v);
    }
    h.add(world.springs.size());
    for (const Spring* rope : world.springs) {
        h.add(walk.id(rope->endA));
        h.add(walk.id(rope->endB));
        for (float v : {rope->stiffness, rope->restLength, rope->lastLength, rope->damping})
            h.add(v);
    }

    for (int v : {walk.id(world.ship), walk.id(world.turret), walk.id(world.leftGrapHook),
             walk.id(world.rightGrapHook), walk.id(world.leftHookConnector),
             walk.id(world.rightHookConnector)})
        h.add(v);
    for (bool v : {world.leftHookExtended, world.rightHookExtended, world.leftHookGrappling,
             world.rightHookGrappling, world.leftHookRetracting, world.rightHookRetracting,
             world.gameOver})
        h.add(v);
    h.add(world.numEnemies);
    h.add(world.chosenShip);
    h.add(world.worldW);
    h.add(world.worldH);

    h.add(world.levelStats.gameTime);
    for (int i = 0; i < causeCount; ++i) {
        h.add(world.levelStats.enemiesDestroyed[i]);
        h.add(world.levelStats.damageTaken[i]);
    }
    for (int v : {world.levelStats.hooksFired, world.levelStats.catches, world.levelStats.slings})
        h.add(v);
    h.add(world.ruleRandom.state);
    h.add(rememberedContacts(world).size());
    for (const Contact& c : rememberedContacts(world)) {
        // A pair is kept by address, lower first: sort by walk instead.
        h.add(std::min(walk.id(c.a), walk.id(c.b)));
        h.add(std::max(walk.id(c.a), walk.id(c.b)));
        h.add(c.step);
    }
    return h.hash;
}

} // namespace tether
