# Sound in the browser: the game's SDL_mixer calls answered by our own mixer
# (web/src/mixer.cpp, web/src/mixermusic.cpp, compiled with the other web
# sources) over the page's Web Audio (web/mixer.js). Emscripten's own mixer
# stays out: its JavaScript is only linked for names left undefined, and
# our C++ defines every Mix_ name the game calls.
set(TETHER_MIXER_JS ${CMAKE_CURRENT_SOURCE_DIR}/mixer.js)
target_link_options(tether PRIVATE "SHELL:--js-library ${TETHER_MIXER_JS}")
set_property(TARGET tether APPEND PROPERTY LINK_DEPENDS ${TETHER_MIXER_JS})
