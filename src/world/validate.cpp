// The world's bookkeeping checked, one registry at a time: what the world
// owns (objects, and through their attachments the children: the mount,
// hooks, flame and guns), then that every other registry, handle, rope,
// attachment and remembered contact points into it.
#include "world/validate.h"

#include "world/connector.h"
#include "world/contacts.h"
#include "world/enemyclasses.h"
#include "world/kinds.h"
#include "world/object.h"
#include "world/spring.h"
#include "world/world.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unordered_set>

namespace tether {

namespace {

// Enough to see what went wrong; a broken list would repeat one fault per
// entry.
constexpr size_t faultsKept = 20;

struct Faults {
    std::vector<std::string> lines;
    void add(const std::string& line)
    {
        if (lines.size() < faultsKept)
            lines.push_back(line);
    }
};

bool knownKind(int type)
{
    return type >= typeExploding && type <= typeMine;
}

// Everything the world owns: objects, then the children of everything
// owned. A null or foreign attachment is a fault; a hook is both listed
// and a child of the mount, which is not.
std::unordered_set<const Object*> ownedObjects(const World& world, Faults& faults)
{
    std::unordered_set<const Object*> owned;
    std::vector<const Object*> toVisit;
    for (const Object* o : world.objects) {
        if (!o)
            faults.add("objects lists a null object");
        else if (!owned.insert(o).second)
            faults.add("objects lists an object twice");
        else
            toVisit.push_back(o);
    }
    while (!toVisit.empty()) {
        const Object* o = toVisit.back();
        toVisit.pop_back();
        if (!o->children)
            continue;
        for (const Connector* link : *o->children) {
            if (!link || !link->child || link->parent != o) {
                faults.add("an object's attachment is null or names another parent");
                continue;
            }
            if (owned.insert(link->child).second)
                toVisit.push_back(link->child);
        }
    }
    return owned;
}

void checkObject(const Object& o, Faults& faults)
{
    if (!knownKind(o.type))
        faults.add("an object of kind " + std::to_string(o.type) + ", which no kind has");
    if (o.bornType == typeEnemy && !classTraits(o.kind))
        faults.add("an enemy of class " + std::to_string(o.kind) + ", which no class has");
}

// A registry that lists only what the world owns, each once, nothing dead
// (the ship stays whatever becomes of it), and only what kinds allows.
void checkRegistry(const World& world, const std::list<Object*>& list, const char* name,
    const std::unordered_set<const Object*>& owned, const std::function<bool(int)>& allowed,
    Faults& faults)
{
    std::unordered_set<const Object*> seen;
    for (const Object* o : list) {
        const std::string where = std::string(name) + " ";
        if (!o) {
            faults.add(where + "lists a null object");
            continue;
        }
        if (!seen.insert(o).second)
            faults.add(where + "lists an object twice");
        if (!owned.count(o)) {
            // Freed, or never given to objects: its fields are not read.
            faults.add(where + "lists an object the world does not own");
            continue;
        }
        if (o->type == typeDead && o != world.ship)
            faults.add(where + "still lists a dead object");
        else if (!allowed(o->type))
            faults.add(where + "lists an object of kind " + std::to_string(o->type));
    }
}

void checkHandles(const World& world, const std::unordered_set<const Object*>& owned,
    const std::unordered_set<const Connector*>& links, Faults& faults)
{
    const auto handle = [&](const Object* o, int type, const char* name) {
        if (o && !owned.count(o))
            faults.add(std::string("the ") + name + " handle points outside the world");
        else if (o && o->type != type && !(o == world.ship && o->type == typeExploding))
            faults.add(
                std::string("the ") + name + " handle holds kind " + std::to_string(o->type));
    };
    handle(world.ship, typeShip, "ship");
    handle(world.turret, typeTurret, "hook mount");
    handle(world.leftGrapHook, typeLeftHook, "left hook");
    handle(world.rightGrapHook, typeRightHook, "right hook");
    const auto hookLink = [&](const Connector* link, const Object* hook, const char* name) {
        if (link && (!links.count(link) || link->child != hook))
            faults.add(std::string("the ") + name + " is not the listed attachment of its hook");
    };
    hookLink(world.leftHookConnector, world.leftGrapHook, "left hook's attachment");
    hookLink(world.rightHookConnector, world.rightGrapHook, "right hook's attachment");
}

void checkRopes(const World& world, const std::unordered_set<const Object*>& owned, Faults& faults)
{
    for (const Spring* rope : world.springs) {
        if (!rope) {
            faults.add("springs lists a null rope");
            continue;
        }
        for (const Object* end : {rope->endA, rope->endB}) {
            if (!end || !owned.count(end))
                faults.add("a rope is tied to something the world does not own");
            else if (end->type == typeDead)
                faults.add("a rope is still tied to a dead object");
        }
    }
}

// Every listed attachment joins two owned objects and stands in its
// parent's list; every attachment of an owned object is listed.
std::unordered_set<const Connector*> checkAttachments(
    const World& world, const std::unordered_set<const Object*>& owned, Faults& faults)
{
    std::unordered_set<const Connector*> links;
    for (const Connector* link : world.connectors) {
        if (!link || !link->parent || !link->child) {
            faults.add("connectors lists a null attachment or one with a missing end");
            continue;
        }
        if (!links.insert(link).second)
            faults.add("connectors lists an attachment twice");
        if (!owned.count(link->parent)) {
            faults.add("an attachment hangs from an object the world does not own");
            continue;
        }
        bool inParent = false;
        if (link->parent->children)
            for (const Connector* own : *link->parent->children)
                inParent = inParent || own == link;
        if (!inParent)
            faults.add("an attachment is missing from its parent's own list");
        if (link->child->owner != link->parent)
            faults.add("an attached object names another owner");
    }
    for (const Object* o : owned)
        if (o->children)
            for (const Connector* link : *o->children)
                if (link && !links.count(link))
                    faults.add("an object's attachment is not listed in connectors");
    return links;
}

void checkContacts(
    const World& world, const std::unordered_set<const Object*>& owned, Faults& faults)
{
    const std::vector<Contact>& contacts = world.contacts.contacts;
    const auto& placeOf = world.contacts.placeOf;
    if (placeOf.size() != contacts.size())
        faults.add("the contacts' index and list differ in size");
    const int64_t now = world.levelStats.gameTime;
    for (size_t i = 0; i < contacts.size(); ++i) {
        const Contact& c = contacts[i];
        if (!owned.count(c.a) || !owned.count(c.b)) {
            faults.add("a remembered contact names an object the world does not own");
            continue;
        }
        if (!std::less<const Object*>()(c.a, c.b))
            faults.add("a remembered contact is not in address order");
        const auto found = placeOf.find(ContactPair {c.a, c.b});
        if (found == placeOf.end() || found->second != i)
            faults.add("a remembered contact is missing from the index or indexed elsewhere");
        if (c.step > now || now - c.step > contactMemory)
            faults.add("a remembered contact outlived the contact memory");
    }
}

bool isBody(int type)
{
    return type == typePlanet || type == typeSun || type == typeBlackHole;
}

} // namespace

std::vector<std::string> validateWorld(const World& world)
{
    Faults faults;
    const std::unordered_set<const Object*> owned = ownedObjects(world, faults);
    for (const Object* o : owned)
        checkObject(*o, faults);
    const auto anything = [](int) { return true; };
    checkRegistry(world, world.objects, "objects", owned, anything, faults);
    checkRegistry(world, world.dynamicMasses, "dynamicMasses", owned, anything, faults);
    checkRegistry(world, world.drawables, "drawables", owned, anything, faults);
    checkRegistry(world, world.attractingMasses, "attractingMasses", owned, isBody, faults);
    checkRegistry(
        world, world.enemies, "enemies", owned,
        [](int type) { return type == typeEnemy || type == typeMine || type == typeExploding; },
        faults);
    const std::unordered_set<const Connector*> links = checkAttachments(world, owned, faults);
    checkHandles(world, owned, links, faults);
    checkRopes(world, owned, faults);
    checkContacts(world, owned, faults);
    return faults.lines;
}

void worldCheckFailed(const char* where, const std::vector<std::string>& faults)
{
    std::fprintf(stderr, "tether: the world is broken %s:\n", where);
    for (const std::string& fault : faults)
        std::fprintf(stderr, "  %s\n", fault.c_str());
    std::abort();
}

void assertionFailed(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "tether: %s:%d: assumption failed: %s\n", file, line, condition);
    std::abort();
}

} // namespace tether
