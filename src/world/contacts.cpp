// The memory of lasting contacts, a list of the pairs that bounced lately,
// in the order contacts began in, which the world's hash relies on, and its
// index by pair.
#include "world/contacts.h"

#include "world/world.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>

namespace tether {

namespace {

void reindex(World& world)
{
    std::vector<Contact>& contacts = world.contacts.contacts;
    auto& placeOf = world.contacts.placeOf;
    placeOf.clear();
    for (std::size_t i = 0; i < contacts.size(); ++i)
        placeOf.emplace(ContactPair {contacts[i].a, contacts[i].b}, i);
}

// Removes the pairs that match, keeping the order of the rest.
template <typename Match> void forgetWhere(World& world, Match match)
{
    std::vector<Contact>& contacts = world.contacts.contacts;
    const std::size_t before = contacts.size();
    contacts.erase(std::remove_if(contacts.begin(), contacts.end(), match), contacts.end());
    if (contacts.size() != before)
        reindex(world);
}

} // namespace

bool lastingContact(World& world, const Object* a, const Object* b, int64_t now)
{
    if (b < a)
        std::swap(a, b);
    std::vector<Contact>& contacts = world.contacts.contacts;
    auto& placeOf = world.contacts.placeOf;
    const auto found = placeOf.find(ContactPair {a, b});
    if (found != placeOf.end()) {
        contacts[found->second].step = now;
        return true;
    }
    placeOf.emplace(ContactPair {a, b}, contacts.size());
    contacts.push_back({a, b, now});
    return false;
}

void ageContacts(World& world, int64_t now)
{
    forgetWhere(world, [&](const Contact& c) { return now - c.step > contactMemory; });
}

void forgetContactsOf(World& world, const std::vector<Object*>& gone)
{
    const auto isGone = [&](const Object* o) {
        return std::binary_search(gone.begin(), gone.end(), o, std::less<const Object*>());
    };
    forgetWhere(world, [&](const Contact& c) { return isGone(c.a) || isGone(c.b); });
}

void forgetAllContacts(World& world)
{
    world.contacts.contacts.clear();
    world.contacts.placeOf.clear();
}

const std::vector<Contact>& rememberedContacts(const World& world)
{
    return world.contacts.contacts;
}

} // namespace tether
