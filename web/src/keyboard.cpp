// The keyboard in the browser. Emscripten's SDL keeps held keys by its own
// codes (a character's code, or 1024 plus the key's scan code) and names
// every key "unknown key"; the names here are the desktop's, so a settings
// file binds the same keys on both.
#include "platform/keyboard.h"

#include <emscripten.h>

extern "C" Uint8* SDL_GetKeyState(int* count);

namespace tether {

namespace {

constexpr int scanCodeBase = 1024;

const char* nameOfScanCode(int scan)
{
    static const char* const functionKeys[]
        = {"f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9", "f10", "f11", "f12"};
    if (scan >= 58 && scan <= 69)
        return functionKeys[scan - 58];
    static const char* const keypad[] = {"[1]", "[2]", "[3]", "[4]", "[5]", "[6]", "[7]", "[8]",
        "[9]", "[0]", "[.]"};
    if (scan >= 89 && scan <= 99)
        return keypad[scan - 89];
    switch (scan) {
    case 57: return "caps lock";
    case 73: return "insert";
    case 74: return "home";
    case 75: return "page up";
    case 77: return "end";
    case 78: return "page down";
    case 79: return "right";
    case 80: return "left";
    case 81: return "down";
    case 82: return "up";
    case 84: return "[/]";
    case 85: return "[*]";
    case 86: return "[-]";
    case 87: return "[+]";
    case 88: return "enter";
    case 224: return "left ctrl";
    case 225: return "left shift";
    case 226: return "left alt";
    case 227: return "left super";
    case 228: return "right ctrl";
    case 229: return "right shift";
    case 230: return "right alt";
    case 231: return "right super";
    default: return nullptr;
    }
}

// Chromium's and Safari's codes for - = ; (Firefox's have their own
// entries): without these the volume keys would be keys without a name.
// clang-format off
EM_JS(void, addMissingKeyCodes, (), {
    SDL.keyCodes[189] = 45;
    SDL.keyCodes[187] = 61;
    SDL.keyCodes[186] = 59;
});
// clang-format on

} // namespace

void startKeyboard()
{
    addMissingKeyCodes();
}

const Uint8* heldKeys()
{
    return SDL_GetKeyState(nullptr);
}

std::string nameOfKey(SDLKey key)
{
    const int code = static_cast<int>(key);
    if (code >= scanCodeBase) {
        const char* name = nameOfScanCode(code - scanCodeBase);
        return name ? name : "unknown key";
    }
    switch (code) {
    case '\b': return "backspace";
    case '\t': return "tab";
    case '\r': return "return";
    case 27: return "escape";
    case ' ': return "space";
    case 127: return "delete";
    default: break;
    }
    if (code > ' ' && code < 127)
        return std::string(1, static_cast<char>(code));
    return "unknown key";
}

int keyCodeBound()
{
    return scanCodeBase + 512;
}

} // namespace tether
