// Loading pictures and the data file for the art tests.
#include "art/picture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <fstream>
#include <sstream>

Picture loadPicture(const std::string& path)
{
    Picture p;
    SDL_Surface* s = IMG_Load(path.c_str());
    if (!s)
        return p;
    SDL_LockSurface(s);
    p.w = s->w;
    p.h = s->h;
    p.px.resize(size_t(p.w) * p.h);
    const int bpp = s->format->BytesPerPixel;
    for (int y = 0; y < p.h; y++)
        for (int x = 0; x < p.w; x++) {
            const Uint8* at = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * bpp;
            Uint32 raw = 0;
            for (int i = 0; i < bpp; i++)
                raw |= Uint32(at[i]) << (8 * i);
            Uint8 r, g, b, a;
            SDL_GetRGBA(raw, s->format, &r, &g, &b, &a);
            p.px[size_t(y) * p.w + x] = {r, g, b, a};
        }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return p;
}

Picture gamePicture(const std::string& relativePath)
{
    return loadPicture(std::string(TETHER_GAME_DIR) + "/" + relativePath);
}

std::map<std::string, std::vector<std::string>> gameData()
{
    std::map<std::string, std::vector<std::string>> data;
    std::ifstream in(std::string(TETHER_SOURCE_DIR) + "/game/data");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key, word;
        words >> key;
        while (words >> word)
            data[key].push_back(word);
    }
    return data;
}
