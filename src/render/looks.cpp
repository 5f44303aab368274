// Shots and rope nodes are looked up by the kind they were made as, so that
// one that dies and explodes still shows its own image under the blast.
#include "render/looks.h"

#include "content/assets.h"
#include "content/tuning.h"
#include "world/kinds.h"
#include "world/object.h"

namespace tether {

SDL_Surface* lookOf(const Object& object)
{
    switch (object.bornType) {
    case typeBullet:
    case typeLightning:
    case typeRail: return nullSprite;
    case typeShredder: return shredder;
    case typeBfg: return bfgshot;
    case typeRopeNode: return nodeSprite;
    default: return static_cast<SDL_Surface*>(object.look);
    }
}

} // namespace tether
