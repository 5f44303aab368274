#include "main/userfiles.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tether {

namespace {

// $variable/tether, or $HOME/fallback/tether. A relative XDG path is
// ignored, as the XDG rules say.
std::string gameFolderIn(const char* variable, const char* fallback)
{
    const char* xdg = std::getenv(variable);
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + "/tether";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/" + fallback + "/tether";
    return "";
}

} // namespace

std::string configFolder()
{
    return gameFolderIn("XDG_CONFIG_HOME", ".config");
}

std::string dataFolder()
{
    return gameFolderIn("XDG_DATA_HOME", ".local/share");
}

std::string writeFileSafely(const std::string& path, const std::string& text)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    if (error)
        return "cannot make the folder of " + path + ": " + error.message();
    // The process number keeps two copies of the game from sharing a
    // temporary file.
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return "cannot write " + temporary + ": " + std::strerror(errno);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        const std::string why = std::strerror(errno);
        std::remove(temporary.c_str());
        return "cannot write " + temporary + ": " + why;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        std::remove(temporary.c_str());
        return "cannot replace " + path + ": " + why;
    }
    return "";
}

bool readSmallFile(const std::string& path, std::string& text, size_t maxBytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(maxBytes, '\0');
    in.read(&text[0], static_cast<std::streamsize>(maxBytes));
    text.resize(static_cast<size_t>(in.gcount()));
    return !in.bad();
}

} // namespace tether
