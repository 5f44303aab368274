// Replay files. Plain text, one record a line, words separated by single
// spaces, lines ended by a newline, at most 256 characters a line:
//
//   tether-replay 2              the format and its version
//   map first_contact            the map's name as the map list gives it
//   data 1f0c5e8d2a7b9c31        FNV-1a (64 bits, hex) of the data file's bytes
//   mapfile 9a2e77c04d1b5f08     the same of the map file's bytes
//   ship 2                       the ship: 1, 2 or 3
//   seed 1690812345123           the level's seed
//   spawn 1000 1000 0 0          spawn x, y, vx, vy before the map was read
//   world 2000 2000              world width, height before the map was read
//   frames 2                     how many frame lines follow
//   16 9 1412 988 -              a frame: steps, actions, pointer x and y in
//   17 9 1415 990 FT               the world, clicks ("-" for none)
//   end 5c3b0d9e8f7a6b21         worldHash(world()) after the last frame
//
// A frame's steps run from 0 to 100; its actions are the sum of up 1,
// down 2, left 4, right 8, strafe left 16, strafe right 32, Escape 64; its
// clicks are one letter each in the order they came, F for the left button
// (fire a hook) and T for the right (tie off), at most 32. Numbers are
// decimal; pointer positions are written with enough digits to read back
// the same float. A replay has at most 4,194,304 frames. A window frame
// that ran no step and took no click changes nothing and is not recorded,
// unless it ended the level. The spawn and world lines hold the values a map
// without those records keeps from the level before, so the level starts
// the same wherever it is played.
//
// Versions. The version names the layout and the rules the level was played
// by (world/rules.h); every replay a build wrote plays by its own rules:
//   2  the game's own math, the same bits on every machine (world/simmath.h),
//      and enemies that go round a planet, sun or black hole in their way:
//      written from 1.1.0 on (and by development builds since the game had
//      its own math); RulesVersion::ownMath.
//   1  the C library's math, as 1.0.0 played (which rounds differently from
//      one library to the next: it reproduces with glibc on x86-64 Linux, as
//      1.0.0 was built, not in the browser, whose library rounds sin, cos,
//      atan2 and hypot otherwise). The same header was written by two sets
//      of rules: the released 1.0.0, whose enemies chase straight
//      (RulesVersion::released100), and the development builds between 1.0.0
//      and the game's own math, whose enemies go round bodies
//      (RulesVersion::detourPlatformMath). A version-1 replay plays by
//      1.0.0's rules unless it ends on its recorded hash only by the
//      detour's (screens/replayrules.h). For sixteen minutes of development
//      the detour began 150 units out from a body, not 60; no replay of
//      those builds is kept, and they play by the later detour.
// Any other version is refused.
#include "platform/replay.h"
#include "content/worldinuse.h"

#include "content/limits.h"
#include "content/maps.h"
#include "content/regularfile.h"
#include "content/textstream.h"
#include "platform/userfiles.h"
#include "world/simmath.h"
#include "world/world.h"

#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tether {

namespace {

const char* const magic = "tether-replay";
constexpr size_t maxLineLength = 256;

constexpr uint64_t fnvOffset = 14695981039346656037ull;
constexpr uint64_t fnvPrime = 1099511628211ull;

std::string hex(uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

// The shortest text that reads back as the same float.
std::string exactFloat(float value)
{
    char text[32];
    for (int digits = 6; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            break;
    }
    return text;
}

char clickLetter(Click click)
{
    return click == Click::fireHook ? 'F' : 'T';
}

// --- Reading ---

// The lines of a replay, each at most maxLineLength characters, counted.
class LineReader {
public:
    explicit LineReader(std::istream& in)
        : source(in.rdbuf())
    {
    }

    // The next line into text; false at the end of the file or on a line
    // that is too long (then tooLong is set). Every line of a replay ends
    // with a newline: a last line without one was cut short, and counts as
    // missing.
    bool next(std::string& text)
    {
        text.clear();
        if (!source)
            return false;
        ++number;
        for (;;) {
            const int c = source->sbumpc();
            if (c == std::char_traits<char>::eof())
                return false;
            if (c == '\n')
                return true;
            if (text.size() == maxLineLength) {
                tooLong = true;
                return false;
            }
            text.push_back(static_cast<char>(c));
        }
    }

    bool atEnd() { return !source || source->sgetc() == std::char_traits<char>::eof(); }

    std::streambuf* source;
    int number = 0;
    bool tooLong = false;
};

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
        out.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

bool readUnsigned(const std::string& text, uint64_t highest, uint64_t& value, int base = 10)
{
    if (text.empty() || text.size() > 20 || !std::isxdigit(static_cast<unsigned char>(text[0])))
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long n = std::strtoull(text.c_str(), &end, base);
    if (*end != '\0' || errno != 0 || n > highest)
        return false;
    value = n;
    return true;
}

bool readHash(const std::string& text, uint64_t& value)
{
    return text.size() == 16 && readUnsigned(text, UINT64_MAX, value, 16);
}

// Whether text is a decimal number as writeReplay writes it: a sign,
// digits with at most one point among them, an exponent. strtof takes more
// (hexadecimal, "inf", "nan", leading spaces), which the format is not.
bool isDecimal(const std::string& text)
{
    const auto digit = [&](size_t i) {
        return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
    };
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (digit(i))
            ++digits;
        else if (text[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        if (!digit(i))
            return false;
        while (digit(i))
            ++i;
    }
    return i == text.size();
}

bool readFloat(const std::string& text, float& value)
{
    if (text.empty() || text.size() > 40 || !isDecimal(text))
        return false;
    char* end = nullptr;
    const float f = std::strtof(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(f))
        return false;
    value = f;
    return true;
}

std::string atLine(int line, const std::string& what)
{
    return "line " + std::to_string(line) + ": " + what;
}

// Reads the header line "key values..." with count values into fields.
std::string headerLine(LineReader& lines, const char* key, size_t count,
    std::vector<std::string>& fields, const char* shape)
{
    std::string text;
    if (!lines.next(text))
        return lines.tooLong ? atLine(lines.number, "too long")
                             : std::string("truncated: it ends before its \"") + key + "\" line";
    fields = words(text);
    if (fields.size() != count + 1 || fields[0] != key)
        return atLine(lines.number, std::string("expected \"") + shape + "\"");
    fields.erase(fields.begin());
    return "";
}

std::string readFrame(const std::string& text, int line, Replay& replay)
{
    const std::vector<std::string> f = words(text);
    if (f.size() != 5)
        return atLine(line, "a frame is \"STEPS ACTIONS X Y CLICKS\"");
    uint64_t steps = 0, actions = 0;
    if (!readUnsigned(f[0], maxReplayStepsPerFrame, steps))
        return atLine(line, "a frame's steps run from 0 to 100");
    if (!readUnsigned(f[1], 127, actions))
        return atLine(line, "a frame's actions run from 0 to 127");
    FrameInput input;
    input.actions = static_cast<unsigned>(actions);
    if (!readFloat(f[2], input.pointerX) || !readFloat(f[3], input.pointerY))
        return atLine(line, "a frame's pointer is two finite decimal numbers");
    const std::string& clicks = f[4];
    if (clicks != "-") {
        if (clicks.size() > static_cast<size_t>(maxClicksPerFrame))
            return atLine(line, "more than 32 clicks in a frame");
        for (char c : clicks) {
            if (c != 'F' && c != 'T')
                return atLine(line, "clicks are F and T, or - for none");
            input.clicks.push_back(c == 'F' ? Click::fireHook : Click::tieOff);
        }
    }
    addReplayFrame(replay, static_cast<int>(steps), input);
    return "";
}

} // namespace

std::optional<uint64_t> fileHash(const std::string& path, std::string* why)
{
    std::string text;
    const FileRead read = readRegularFile(path, text, maxContentFileBytes);
    if (read != FileRead::ok) {
        if (why)
            *why = whyUnread(read, maxContentFileBytes);
        return std::nullopt;
    }
    uint64_t hash = fnvOffset;
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= fnvPrime;
    }
    return hash;
}

Replay replayOfLevelStart(
    const std::string& mapName, uint64_t dataHash, uint64_t mapHash, int ship, uint64_t seed)
{
    World& world = tether::world();
    Replay replay;
    replay.version = world.rules == RulesVersion::ownMath ? replayVersion : 1;
    replay.rules = world.rules;
    replay.mapName = mapName;
    replay.dataHash = dataHash;
    replay.mapHash = mapHash;
    replay.ship = ship;
    replay.seed = seed;
    replay.spawnX = world.spawnX;
    replay.spawnY = world.spawnY;
    replay.spawnVX = world.spawnVX;
    replay.spawnVY = world.spawnVY;
    replay.worldW = world.worldW;
    replay.worldH = world.worldH;
    return replay;
}

bool addReplayFrame(Replay& replay, int steps, const FrameInput& input)
{
    if (replay.frames.size() >= maxReplayFrames || steps < 0 || steps > maxReplayStepsPerFrame
        || input.clicks.size() > static_cast<size_t>(maxClicksPerFrame) || input.actions > 127
        || !std::isfinite(input.pointerX) || !std::isfinite(input.pointerY))
        return false;
    ReplayFrame frame;
    frame.pointerX = input.pointerX;
    frame.pointerY = input.pointerY;
    frame.firstClick = static_cast<uint32_t>(replay.clicks.size());
    frame.steps = static_cast<uint8_t>(steps);
    frame.actions = static_cast<uint8_t>(input.actions);
    frame.clickCount = static_cast<uint8_t>(input.clicks.size());
    replay.frames.push_back(frame);
    replay.clicks.insert(replay.clicks.end(), input.clicks.begin(), input.clicks.end());
    return true;
}

FrameInput replayFrameInput(const Replay& replay, size_t i)
{
    const ReplayFrame& frame = replay.frames[i];
    FrameInput input;
    input.actions = frame.actions;
    input.pointerX = frame.pointerX;
    input.pointerY = frame.pointerY;
    const auto first = replay.clicks.begin() + frame.firstClick;
    input.clicks.assign(first, first + frame.clickCount);
    return input;
}

void writeReplay(std::ostream& out, const Replay& replay)
{
    out << magic << ' ' << replay.version << '\n'
        << "map " << replay.mapName << '\n'
        << "data " << hex(replay.dataHash) << '\n'
        << "mapfile " << hex(replay.mapHash) << '\n'
        << "ship " << replay.ship << '\n'
        << "seed " << replay.seed << '\n'
        << "spawn " << exactFloat(replay.spawnX) << ' ' << exactFloat(replay.spawnY) << ' '
        << exactFloat(replay.spawnVX) << ' ' << exactFloat(replay.spawnVY) << '\n'
        << "world " << exactFloat(replay.worldW) << ' ' << exactFloat(replay.worldH) << '\n'
        << "frames " << replay.frames.size() << '\n';
    std::string clicks;
    for (const ReplayFrame& frame : replay.frames) {
        clicks.clear();
        for (uint32_t i = 0; i < frame.clickCount; ++i)
            clicks += clickLetter(replay.clicks[frame.firstClick + i]);
        if (clicks.empty())
            clicks = "-";
        out << static_cast<int>(frame.steps) << ' ' << static_cast<int>(frame.actions) << ' '
            << exactFloat(frame.pointerX) << ' ' << exactFloat(frame.pointerY) << ' ' << clicks
            << '\n';
    }
    out << "end " << hex(replay.endHash) << '\n';
}

std::string saveReplay(const std::string& path, const Replay& replay)
{
    std::ostringstream text;
    writeReplay(text, replay);
    return writeFileSafely(path, text.str());
}

std::string readReplay(std::istream& in, Replay& replay)
{
    replay = Replay {};
    LineReader lines(in);
    std::string text;
    if (!lines.next(text) || text.rfind(magic, 0) != 0)
        return "not a replay (it does not start with \"tether-replay\")";
    std::vector<std::string> f = words(text);
    uint64_t number = 0;
    if (f.size() != 2 || f[0] != magic || !readUnsigned(f[1], UINT32_MAX, number))
        return atLine(1, "expected \"tether-replay VERSION\"");
    if (number < static_cast<uint64_t>(oldestReplayVersion)
        || number > static_cast<uint64_t>(replayVersion))
        return "replay version " + f[1] + ": this game reads versions "
            + std::to_string(oldestReplayVersion) + " to " + std::to_string(replayVersion);
    replay.version = static_cast<int>(number);
    replay.rules = rulesOfReplayVersion(replay.version).front();

    std::string wrong = headerLine(lines, "map", 1, f, "map NAME");
    if (!wrong.empty())
        return wrong;
    if (f[0].empty())
        return atLine(lines.number, "the map has no name");
    replay.mapName = f[0];
    if (!(wrong = headerLine(lines, "data", 1, f, "data HASH")).empty())
        return wrong;
    if (!readHash(f[0], replay.dataHash))
        return atLine(lines.number, "a hash is 16 hexadecimal digits");
    if (!(wrong = headerLine(lines, "mapfile", 1, f, "mapfile HASH")).empty())
        return wrong;
    if (!readHash(f[0], replay.mapHash))
        return atLine(lines.number, "a hash is 16 hexadecimal digits");
    if (!(wrong = headerLine(lines, "ship", 1, f, "ship 1|2|3")).empty())
        return wrong;
    if (!readUnsigned(f[0], 3, number) || number < 1)
        return atLine(lines.number, "the ship is 1, 2 or 3");
    replay.ship = static_cast<int>(number);
    if (!(wrong = headerLine(lines, "seed", 1, f, "seed N")).empty())
        return wrong;
    if (!readUnsigned(f[0], UINT64_MAX, replay.seed))
        return atLine(lines.number, "the seed is a whole number");
    if (!(wrong = headerLine(lines, "spawn", 4, f, "spawn X Y VX VY")).empty())
        return wrong;
    if (!readFloat(f[0], replay.spawnX) || !readFloat(f[1], replay.spawnY)
        || !readFloat(f[2], replay.spawnVX) || !readFloat(f[3], replay.spawnVY))
        return atLine(lines.number, "the spawn values are four finite decimal numbers");
    if (!(wrong = headerLine(lines, "world", 2, f, "world WIDTH HEIGHT")).empty())
        return wrong;
    if (!readFloat(f[0], replay.worldW) || !readFloat(f[1], replay.worldH))
        return atLine(lines.number, "the world's size is two finite decimal numbers");
    if (!(wrong = headerLine(lines, "frames", 1, f, "frames N")).empty())
        return wrong;
    uint64_t frameCount = 0;
    if (!readUnsigned(f[0], maxReplayFrames, frameCount))
        return atLine(
            lines.number, "the frame count runs from 0 to " + std::to_string(maxReplayFrames));

    for (uint64_t i = 0; i < frameCount; ++i) {
        if (!lines.next(text))
            return lines.tooLong ? atLine(lines.number, "too long")
                                 : "truncated: it ends after " + std::to_string(i) + " of its "
                    + std::to_string(frameCount) + " frames";
        if (!(wrong = readFrame(text, lines.number, replay)).empty())
            return wrong;
    }
    if (!(wrong = headerLine(lines, "end", 1, f, "end HASH")).empty())
        return wrong;
    if (!readHash(f[0], replay.endHash))
        return atLine(lines.number, "a hash is 16 hexadecimal digits");
    if (!lines.atEnd())
        return atLine(lines.number + 1, "more after the \"end\" line");
    return "";
}

std::string loadReplay(const std::string& path, Replay& replay)
{
    // A folder opens as a stream and then throws at the first read; a
    // device such as /dev/zero never ends. Only a regular file is read.
    std::string text;
    const FileRead read = readRegularFile(path, text, maxReplayFileBytes);
    if (read != FileRead::ok) {
        replay = Replay {};
        return "it " + whyUnread(read, maxReplayFileBytes);
    }
    TextStream in(text);
    return readReplay(in, replay);
}

std::string checkReplayFits(const Replay& replay, uint64_t dataHash)
{
    if (!staysInMapsFolder(replay.mapName))
        return "its map \"" + replay.mapName + "\" lies outside the maps folder";
    const std::string path = "maps/" + replay.mapName;
    std::string why;
    const std::optional<uint64_t> mapHash = fileHash(path, &why);
    if (!mapHash && why == whyUnread(FileRead::missing, maxContentFileBytes))
        return "its map " + path + " cannot be opened";
    if (!mapHash)
        return "its map " + path + " " + why;
    if (*mapHash != replay.mapHash)
        return "its map " + path + " has changed since it was recorded";
    if (dataHash != replay.dataHash)
        return "the data file has changed since it was recorded";
    return "";
}

void restoreReplayStart(const Replay& replay)
{
    World& world = tether::world();
    world.spawnX = replay.spawnX;
    world.spawnY = replay.spawnY;
    world.spawnVX = replay.spawnVX;
    world.spawnVY = replay.spawnVY;
    world.worldW = replay.worldW;
    world.worldH = replay.worldH;
    playByRules(world, replay.rules);
}

std::vector<RulesVersion> rulesOfReplayVersion(int version)
{
    if (version == 1)
        return {RulesVersion::released100, RulesVersion::detourPlatformMath};
    return {RulesVersion::ownMath};
}

} // namespace tether
