// artgen: draws every image of the game into the directory named on the
// command line. Run by the build; the same source always gives the same
// pixels.
#include "art.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

std::string gOutputDir;

void save(const Canvas& c, const std::string& relativePath)
{
    std::filesystem::path path = std::filesystem::path(gOutputDir) / relativePath;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error || !c.savePng(path.string())) {
        std::fprintf(stderr, "artgen: failed to save %s\n", path.c_str());
        std::exit(1);
    }
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTPUT_DIR\n");
        return 2;
    }
    gOutputDir = argv[1];
    auto start = std::chrono::steady_clock::now();
    for (auto make : {makeHud, makeScreens, makeShips, makeEnemies, makeBodies, makeEffects,
             makeSpace, makeIcon}) {
        auto t0 = std::chrono::steady_clock::now();
        make();
        if (std::getenv("ARTGEN_TIMES"))
            std::printf("  %.2f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("artgen: images written to %s in %.2f s\n", gOutputDir.c_str(), seconds);
    return 0;
}
