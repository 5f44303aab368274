// The memory of lasting contacts, a list of the pairs that bounced lately.
// It is short (the pairs touching now, and a few just apart), so a plain
// scan beats a map, and its order is the order contacts began in, which
// the world's hash can rely on.
#include "world/contacts.h"

#include <algorithm>
#include <utility>

namespace tether {

namespace {
std::vector<Contact> contacts;
}

bool lastingContact(const Object* a, const Object* b, int64_t now)
{
    if (b < a)
        std::swap(a, b);
    for (Contact& c : contacts) {
        if (c.a == a && c.b == b) {
            c.step = now;
            return true;
        }
    }
    contacts.push_back({a, b, now});
    return false;
}

void ageContacts(int64_t now)
{
    contacts.erase(std::remove_if(contacts.begin(), contacts.end(),
                       [&](const Contact& c) { return now - c.step > contactMemory; }),
        contacts.end());
}

void forgetContactsOf(const Object* gone)
{
    contacts.erase(std::remove_if(contacts.begin(), contacts.end(),
                       [&](const Contact& c) { return c.a == gone || c.b == gone; }),
        contacts.end());
}

void forgetAllContacts()
{
    contacts.clear();
}

const std::vector<Contact>& rememberedContacts()
{
    return contacts;
}

} // namespace tether
