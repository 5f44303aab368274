// Cost of showing the 800 by 600 picture at twice its size (scale 2): each
// flip doubles every pixel into the 1600 by 1200 window. Set beside the busy
// draw pass (draw_bench.cpp), it is what scale 2 adds to a frame.
#include "platform/window.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

namespace {

void BM_ScaleTwice(benchmark::State& state)
{
    SDL_Surface* picture
        = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 600, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_Surface* window
        = SDL_CreateRGBSurface(SDL_SWSURFACE, 1600, 1200, 32, 0xff0000, 0xff00, 0xff, 0);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            static_cast<Uint32*>(picture->pixels)[y * picture->pitch / 4 + x]
                = static_cast<Uint32>(x * 7919 + y * 104729);
    for (auto _ : state) {
        tether::scaleTwice(picture, window);
        benchmark::DoNotOptimize(window->pixels);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(picture);
    SDL_FreeSurface(window);
}
BENCHMARK(BM_ScaleTwice)->Unit(benchmark::kMillisecond);

} // namespace
