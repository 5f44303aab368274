// Images as the game sees them: loaded with IMG_Load and read back as
// straight RGBA, for the art tests.
#pragma once

#include <map>
#include <string>
#include <vector>

struct Pixel {
    int r = 0, g = 0, b = 0, a = 0;
    float light() const { return (r + g + b) / (3 * 255.0f); }
};

struct Picture {
    int w = 0, h = 0;
    std::vector<Pixel> px;
    bool loaded() const { return w > 0; }
    const Pixel& at(int x, int y) const { return px[size_t(y) * w + x]; }
};

// Loads a file through SDL_image; an empty picture when it cannot.
Picture loadPicture(const std::string& path);
// Loads a path relative to build/game.
Picture gamePicture(const std::string& relativePath);

// The first number after each keyword in the source tree's game/data, e.g.
// "enemy3" -> 32, "mine" -> 24.
std::map<std::string, std::vector<std::string>> gameData();
