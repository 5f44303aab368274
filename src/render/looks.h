// The image an Object is drawn with, looked up on the drawing side: the
// simulation's objects carry no images of their own choosing. Shots and rope
// nodes wear their kind's image; every other object the one the content
// side gave it.
#pragma once

#include <SDL.h>

namespace tether {

class Object;

// The image object is drawn with (turned to its heading); may be null.
SDL_Surface* lookOf(const Object& object);

} // namespace tether
