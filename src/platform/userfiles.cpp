#include "platform/userfiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>

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

constexpr int mostLinksFollowed = 40; // as the kernel allows in a path

// Where a write to path lands: path itself, or the file its link (or chain
// of links) points to, which may not exist yet. Empty, with why, when that
// is something other than a regular file.
std::string writeTarget(const std::string& path, std::string& why)
{
    namespace fs = std::filesystem;
    fs::path target = path;
    for (int hops = 0; hops < mostLinksFollowed; ++hops) {
        struct stat status;
        if (lstat(target.c_str(), &status) != 0) {
            if (errno == ENOENT)
                return target.string();
            why = "cannot write " + target.string() + ": " + std::strerror(errno);
            return "";
        }
        if (S_ISREG(status.st_mode))
            return target.string();
        if (!S_ISLNK(status.st_mode)) {
            why = "cannot write " + target.string() + ": it is not a regular file";
            return "";
        }
        std::error_code error;
        const fs::path link = fs::read_symlink(target, error);
        if (error) {
            why = "cannot follow the link " + target.string() + ": " + error.message();
            return "";
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    why = "cannot write " + path + ": too many links";
    return "";
}

// Flushes a folder's list of names, so that a rename into it outlives a
// crash. A folder that refuses (some file systems do) costs nothing.
void syncFolder(const std::string& folder)
{
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
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

FileRead readPlayerFile(const std::string& path, std::string& text)
{
    return readRegularFile(path, text, maxPlayerFileBytes);
}

std::string prepareFile(const std::string& path, const std::string& text, PreparedFile& prepared)
{
    namespace fs = std::filesystem;
    prepared = PreparedFile {};
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    if (error)
        return "cannot make the folder of " + path + ": " + error.message();
    std::string why;
    const std::string target = writeTarget(path, why);
    if (target.empty())
        return why;
    fs::create_directories(fs::path(target).parent_path(), error);
    // The process number keeps two copies of the game from sharing a
    // temporary file.
    const std::string temporary = target + ".tmp" + std::to_string(getpid());
    FILE* file = std::fopen(temporary.c_str(), "wbe");
    if (!file)
        return "cannot write " + temporary + ": " + std::strerror(errno);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        std::remove(temporary.c_str());
        return "cannot write " + temporary + ": "
            + std::strerror(!written || !flushed ? writeError : errno);
    }
    prepared.path = target;
    prepared.temporary = temporary;
    return "";
}

std::string putInPlace(PreparedFile& prepared)
{
    if (prepared.temporary.empty())
        return "cannot replace " + prepared.path + ": nothing was written";
    if (std::rename(prepared.temporary.c_str(), prepared.path.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        discardPrepared(prepared);
        return "cannot replace " + prepared.path + ": " + why;
    }
    prepared.temporary.clear();
    syncFolder(std::filesystem::path(prepared.path).parent_path().string());
    return "";
}

void discardPrepared(PreparedFile& prepared)
{
    if (!prepared.temporary.empty())
        std::remove(prepared.temporary.c_str());
    prepared.temporary.clear();
}

std::string writeFileSafely(const std::string& path, const std::string& text)
{
    PreparedFile prepared;
    const std::string wrong = prepareFile(path, text, prepared);
    return wrong.empty() ? putInPlace(prepared) : wrong;
}

PlayerFileLock::PlayerFileLock(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    fd = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    // Tried again and again rather than waited for in flock: a stopped or
    // hung copy of the game may hold the lock for ever, and this copy must
    // go on answering its player.
    const auto giveUp = std::chrono::steady_clock::now() + lockPatience;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return; // a file system without locks: the write goes ahead alone
        if (std::chrono::steady_clock::now() >= giveUp) {
            busy = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

PlayerFileLock::~PlayerFileLock()
{
    if (fd >= 0)
        close(fd); // closing lets go of the lock
}

} // namespace tether
