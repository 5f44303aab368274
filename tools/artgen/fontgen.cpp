// fontgen: writes the game's 8 by 8 font (font8.h) as the C++ source named
// on the command line. Run by the build; the same face gives the same file.
#include "font8.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fontgen OUTPUT.cpp\n");
        return 2;
    }
    const std::vector<unsigned char> font = drawFont8(ARTGEN_FONT_MONO);
    if (font.empty()) {
        std::fprintf(stderr,
            "fontgen: cannot open the font %s: install the Debian package fonts-dejavu-core"
            " (bash scripts/setup.sh does)\n",
            ARTGEN_FONT_MONO);
        return 1;
    }
    if (!writeFont8Source(font, argv[1])) {
        std::fprintf(stderr, "fontgen: failed to write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
