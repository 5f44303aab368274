#include "check.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace mapcheck {

namespace {

// A word of a content file and the line it stands on.
struct Token {
    std::string text;
    int line;
};

bool readTokens(const std::string& path, std::vector<Token>& tokens)
{
    std::ifstream in(path);
    if (!in.is_open())
        return false;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string word;
        while (words >> word)
            tokens.push_back({word, number});
    }
    return true;
}

// A whole word that the game reads as a float (the stream would take "12x"
// as 12 and then trip over "x", so we insist on the whole word).
bool parseFloat(const std::string& text, float& value)
{
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return end != text.c_str() && *end == '\0' && std::isfinite(value);
}

bool parseInt(const std::string& text, int& value)
{
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    value = static_cast<int>(v);
    return end != text.c_str() && *end == '\0';
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool fileExists(const std::string& path)
{
    return std::ifstream(path).good();
}

int enemyClassOf(const std::string& word)
{
    for (int n = 1; n <= 12; ++n)
        if (word == "enemy" + std::to_string(n))
            return n;
    return 0;
}

} // namespace

void Checker::report(const std::string& file, int line, bool error, const std::string& message)
{
    found.push_back({file, line, error, message});
}

int Checker::errorCount() const
{
    int n = 0;
    for (const Finding& f : found)
        n += f.error;
    return n;
}

std::string format(const Finding& f)
{
    std::string where = f.file;
    if (f.line > 0)
        where += ":" + std::to_string(f.line);
    return where + (f.error ? ": error: " : ": warning: ") + f.message;
}

void Checker::checkData(const std::string& path, const std::string& gameDir)
{
    std::vector<Token> tokens;
    if (!readTokens(path, tokens)) {
        report(
            path, 0, true, "cannot be opened (the game prints \"Error opening data\" and stops)");
        return;
    }
    data = DataFacts {};
    data.read = true;
    // Field kinds per keyword: f float, i int, p image path.
    std::map<std::string, std::string> records
        = {{"ship", "fffffi"}, {"mine", "fff"}, {"enemy1t", "ffp"}, {"enemy2t1", "ffp"},
            {"enemy2t2", "ffp"}, {"enemy3t", "ffp"}, {"hook", "fffffip"}, {"node", "fffffip"},
            {"planet", "fp"}, {"sun", "fp"}, {"blackhole", "f"}};
    for (int n = 1; n <= 12; ++n)
        records["enemy" + std::to_string(n)] = "fffffifp";

    for (size_t i = 0; i < tokens.size();) {
        const Token& keyword = tokens[i++];
        auto record = records.find(keyword.text);
        if (record == records.end()) {
            report(path, keyword.line, true,
                "\"" + keyword.text + "\" is not a keyword: the game stops reading here");
            return;
        }
        std::vector<float> numbers;
        for (char kind : record->second) {
            if (i >= tokens.size()) {
                report(path, keyword.line, true,
                    "\"" + keyword.text + "\" ends before all its values");
                return;
            }
            const Token& value = tokens[i++];
            float f = 0;
            int n = 0;
            if (kind == 'p') {
                if (!fileExists(gameDir + "/" + value.text))
                    report(path, value.line, false, "image \"" + value.text + "\" not found");
            } else if (kind == 'i' ? !parseInt(value.text, n) : !parseFloat(value.text, f)) {
                report(path, value.line, true,
                    "\"" + value.text + "\" is not a number: the game stops reading here");
                return;
            } else {
                numbers.push_back(kind == 'i' ? static_cast<float>(n) : f);
            }
        }
        const std::string& word = keyword.text;
        if (const int cls = enemyClassOf(word)) {
            data.enemyClasses.insert(cls);
            if (numbers[0] <= 0 || numbers[1] <= 0)
                report(path, keyword.line, true, word + ": radius and mass must be positive");
        } else if (word == "mine") {
            data.mine = true;
            data.mineRadius = numbers[0];
            if (numbers[0] <= 0 || numbers[1] <= 0)
                report(path, keyword.line, true, "mine: radius and mass must be positive");
        } else if (word == "planet" || word == "sun") {
            (word == "planet" ? data.planet : data.sun) = true;
            (word == "planet" ? data.planetBaseRadius : data.sunBaseRadius) = numbers[0];
            if (numbers[0] <= 0)
                report(path, keyword.line, true, word + ": the base radius must be positive");
        } else if (word == "blackhole") {
            data.blackhole = true;
        } else if (word == "hook") {
            if (numbers[4] <= 0)
                report(path, keyword.line, true, "hook: the number of links must be positive");
            if (numbers[2] <= 0)
                report(path, keyword.line, true, "hook: the speed must be positive");
        } else if (word == "ship" && (numbers[0] <= 0 || numbers[1] <= 0)) {
            report(path, keyword.line, true, "ship: radius and mass must be positive");
        }
    }
}

void Checker::checkMapList(const std::string& path)
{
    std::vector<Token> tokens;
    if (!readTokens(path, tokens)) {
        report(path, 0, true, "cannot be opened (the game prints \"Error opening data\")");
        return;
    }
    int count = 0;
    if (tokens.empty() || !parseInt(tokens[0].text, count)) {
        report(path, tokens.empty() ? 0 : tokens[0].line, true,
            "the list must start with the number of maps");
        return;
    }
    if (count <= 0)
        report(path, tokens[0].line, true, "the count must be positive: the game offers no maps");
    const size_t records = (tokens.size() - 1) / 3;
    if ((tokens.size() - 1) % 3 != 0)
        report(path, tokens.back().line, true,
            "the last record is incomplete (map name, boss map name, boss music)");
    if (static_cast<int>(records) != count && count > 0)
        report(path, tokens[0].line, true,
            "the count says " + std::to_string(count) + " maps but " + std::to_string(records)
                + " records follow; the game offers "
                + std::to_string(std::min<int>(count, static_cast<int>(records))));
    const std::string folder = folderOf(path);
    for (size_t r = 0; r < records; ++r) {
        const Token& name = tokens[1 + 3 * r];
        const Token& boss = tokens[2 + 3 * r];
        const Token& music = tokens[3 + 3 * r];
        int track = 0;
        if (!parseInt(music.text, track) || track < 1 || track > 9)
            report(path, music.line, true,
                "boss music \"" + music.text + "\" must be a track number from 1 to 9");
        for (const Token* map : {&name, &boss}) {
            const std::string file = folder + "/" + map->text;
            if (!fileExists(file))
                report(path, map->line, true, "map \"" + map->text + "\" not found");
            else
                checkMap(file);
        }
    }
}

void Checker::checkMap(const std::string& path)
{
    if (!mapsChecked.insert(path).second)
        return;
    std::vector<Token> tokens;
    if (!readTokens(path, tokens)) {
        report(path, 0, true, "cannot be opened (the game prints \"Error opening map\" and stops)");
        return;
    }
    const std::map<std::string, int> valueCounts
        = {{"world", 2}, {"mine", 2}, {"planet", 4}, {"sun", 4}, {"blackhole", 4}, {"spawn", 4}};
    int enemies = 0;
    bool spawn = false;
    float worldW = 2000, worldH = 2000, spawnX = 0, spawnY = 0;
    struct Hostile {
        std::string word;
        int line;
        float x, y;
    };
    std::vector<Hostile> hostiles; // enemies and mines, for their distance from the spawn
    bool stopped = false; // the game stops reading where a value fails
    for (size_t i = 0; i < tokens.size() && !stopped;) {
        const Token& keyword = tokens[i++];
        const int cls = enemyClassOf(keyword.text);
        auto known = valueCounts.find(keyword.text);
        if (!cls && known == valueCounts.end()) {
            float ignored;
            if (!parseFloat(keyword.text, ignored))
                report(path, keyword.line, false,
                    "unknown keyword \"" + keyword.text + "\": the game skips it");
            continue;
        }
        const int needed = cls ? 5 : known->second;
        std::vector<float> v;
        for (int k = 0; k < needed; ++k, ++i) {
            float f = 0;
            if (i >= tokens.size()) {
                report(path, keyword.line, true,
                    "\"" + keyword.text + "\" needs " + std::to_string(needed)
                        + " values: the map ends first and the record is not made");
                stopped = true;
                break;
            }
            if (!parseFloat(tokens[i].text, f)) {
                report(path, tokens[i].line, true,
                    "\"" + tokens[i].text
                        + "\" is not a number: the game stops reading the map here");
                stopped = true;
                break;
            }
            v.push_back(f);
        }
        if (stopped)
            break;
        const std::string& word = keyword.text;
        if (cls || word == "mine")
            hostiles.push_back({word, keyword.line, v[0], v[1]});
        if (cls) {
            ++enemies;
            if (data.read && !data.enemyClasses.count(cls))
                report(path, keyword.line, true,
                    word + " has no record in the data file: it would be invisible and massless");
        } else if (word == "world") {
            if (v[0] <= 0 || v[1] <= 0)
                report(path, keyword.line, true, "the world's size must be positive");
            else
                worldW = v[0], worldH = v[1];
        } else if (word == "spawn") {
            spawn = true;
            spawnX = v[0];
            spawnY = v[1];
        } else if (word == "planet" || word == "sun" || word == "blackhole") {
            if (v[3] <= 0)
                report(path, keyword.line, true, word + ": the radius must be positive");
            if (v[2] <= 0)
                report(path, keyword.line, false, word + ": a mass of 0 or less pulls nothing");
            if (word == "blackhole" && v[3] > 300)
                report(path, keyword.line, false,
                    "a black hole above radius 300 is drawn without its lens");
            else if (v[3] > 1500)
                report(path, keyword.line, false,
                    word + ": a radius above 1500 is too large for its image to be drawn");
        }
        if (data.read) {
            if (word == "mine" && (!data.mine || data.mineRadius <= 0))
                report(path, keyword.line, true,
                    "mines need a \"mine\" record with a positive radius");
            if (word == "planet" && (!data.planet || data.planetBaseRadius <= 0))
                report(path, keyword.line, true,
                    "planets need a \"planet\" record with a positive base radius");
            if (word == "sun" && (!data.sun || data.sunBaseRadius <= 0))
                report(path, keyword.line, true,
                    "suns need a \"sun\" record with a positive base radius");
        }
    }
    if (!spawn)
        report(path, 0, false, "no \"spawn\": the ship starts where the previous map put it");
    // Enemies and mines stay put until the ship comes within 3000 units, the
    // short way round the world; enemies fire from 1000.
    for (const Hostile& h : hostiles) {
        if (!spawn)
            break;
        const float dx = std::fabs(h.x - spawnX), dy = std::fabs(h.y - spawnY);
        const float dist = std::hypot(std::min(dx, worldW - dx), std::min(dy, worldH - dy));
        const std::string units = std::to_string(static_cast<int>(dist));
        if (h.word == "mine" && dist < 3000)
            report(path, h.line, false,
                "this mine starts " + units + " units from the spawn point: it homes in at once");
        else if (h.word != "mine" && dist < 1000)
            report(path, h.line, false,
                h.word + " starts " + units + " units from the spawn point: it fires at once");
    }
    if (enemies == 0)
        report(path, 0, false, "no enemies: the map is won in its first frame");
}

} // namespace mapcheck
