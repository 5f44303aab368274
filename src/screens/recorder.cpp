#include "screens/recorder.h"
#include "content/worldinuse.h"

#include "platform/replay.h"
#include "platform/userfiles.h"
#include "world/hash.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tether {

std::string recordPath;

namespace {

std::optional<uint64_t> dataHashAtStart;
bool recording = false;
bool overflowed = false; // a frame did not fit: the replay would be wrong
Replay level;
std::string savedPath; // where saveRecording last wrote a replay
uint64_t contentOfLevel = 0; // levelContentHash

const std::string mapsFolder = "maps/";

} // namespace

void rememberDataFile()
{
    dataHashAtStart = fileHash("data");
}

uint64_t dataFileHash()
{
    return dataHashAtStart.value_or(0);
}

uint64_t levelContentHash()
{
    return contentOfLevel;
}

std::string savedReplayPath()
{
    return savedPath;
}

std::string defaultReplayPath(const std::string& mapName)
{
    const std::filesystem::path folder = dataFolder();
    if (folder.empty())
        return "";
    // A map in a folder of its own ("sector/alpha") keeps one file too.
    std::string file = mapName;
    for (char& c : file)
        if (c == '/')
            c = '_';
    return (folder / "replays" / (file + ".replay")).string();
}

void startRecording(const std::string& mapPath, int shipChoice, uint64_t seed)
{
    const std::string name
        = mapPath.rfind(mapsFolder, 0) == 0 ? mapPath.substr(mapsFolder.size()) : mapPath;
    const uint64_t mapHash = fileHash(mapPath).value_or(0);
    level = replayOfLevelStart(name, dataFileHash(), mapHash, shipChoice + 1, seed);
    // Both hashes in one number, each with its own weight, so that swapping
    // the data file and the map can not give the same content back.
    contentOfLevel = dataFileHash() * 0x9e3779b97f4a7c15u ^ mapHash;
    recording = true;
    overflowed = false;
}

void recordFrame(int steps, const FrameInput& input, LevelState state)
{
    if (!recording || overflowed)
        return;
    // A frame without steps or clicks changes nothing in the world, unless
    // the level ends with it (a map without enemies is won at once).
    if (steps == 0 && input.clicks.empty() && state == LevelState::ongoing)
        return;
    if (!addReplayFrame(level, steps, input))
        overflowed = true;
}

void saveRecording()
{
    savedPath.clear();
    if (!recording)
        return;
    recording = false;
    std::string path = recordPath;
    if (path.empty()) {
        path = defaultReplayPath(level.mapName);
        if (path.empty()) {
            std::printf("Replay not saved: no data folder (HOME and XDG_DATA_HOME are unset)\n");
            return;
        }
    }
    if (overflowed) {
        std::printf("Replay not saved: the level ran longer than a replay holds\n");
        return;
    }
    level.endHash = worldHash(world());
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const std::string wrong = saveReplay(path, level);
    if (!wrong.empty())
        std::printf("Replay not saved: %s\n", wrong.c_str());
    else
        savedPath = path;
    std::fflush(stdout);
    level = Replay {};
}

} // namespace tether
