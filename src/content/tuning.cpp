// The data file: a sequence of records, each a keyword and its values,
// separated by any white space. Values are read with the stream's own number
// rules; a value that cannot be read leaves it and the rest of its record
// unchanged and ends the reading, as does any word that is not a keyword.
#include "content/tuning.h"

#include "content/images.h"
#include "content/limits.h"
#include "content/numbers.h"
#include "content/regularfile.h"
#include "content/textstream.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <variant>
#include <vector>

namespace tether {

namespace {
Tuning gameTuningValues;
} // namespace

const Tuning& gameTuning()
{
    return gameTuningValues;
}
Tuning& writableTuning()
{
    return gameTuningValues;
}

SDL_Surface* turretSprites[gunMountCount];
SDL_Surface* enemySprites[enemyClassCount];
SDL_Surface* gHook;
SDL_Surface* nodeSprite;
SDL_Surface* planetSprite;
SDL_Surface* sunSprite;

namespace {

// One value of a record and where it goes.
using Field = std::variant<float*, int*, SDL_Surface**>;

std::map<std::string, std::vector<Field>> buildRecordTable()
{
    Tuning& t = writableTuning();
    std::map<std::string, std::vector<Field>> records;
    records["ship"] = {&t.shipRadius, &t.shipMass, &t.shipMaxSpeed, &t.shipMaxThrust,
        &t.shipRotationSpeed, &t.shipReloadTime};
    records["mine"] = {&t.mineRadius, &t.mineMass, &t.mineHealth};
    const char* mountKeywords[gunMountCount] = {"enemy1t", "enemy2t1", "enemy2t2", "enemy3t"};
    for (int m = 0; m < gunMountCount; ++m)
        records[mountKeywords[m]] = {&t.turretX[m], &t.turretY[m], &turretSprites[m]};
    for (int i = 0; i < enemyClassCount; ++i) {
        records["enemy" + std::to_string(i + 1)]
            = {&t.enRadius[i], &t.enMass[i], &t.enMaxSpeed[i], &t.enMaxThrust[i],
                &t.enRotationSpeed[i], &t.enReloadTime[i], &t.enHealth[i], &enemySprites[i]};
    }
    records["hook"] = {&t.grapRadius, &t.grapMass, &t.grapSpeed, &t.grapMaxDistance,
        &t.grapNumLinks, &t.grapReloadTime, &gHook};
    records["node"] = {&t.nodeRadius, &t.nodeMass, &t.nodeMaxSpeed, &t.nodeMaxThrust,
        &t.nodeRotationSpeed, &t.nodeReloadTime, &nodeSprite};
    records["planet"] = {&t.planetBaseRadius, &planetSprite};
    records["sun"] = {&t.sunBaseRadius, &sunSprite};
    records["blackhole"] = {&t.blackholeBaseRadius};
    return records;
}

// Reads one value into its destination; a failed read leaves a number as
// it was, while an image entry then loads nothing and becomes empty.
void readField(std::istream& in, const Field& field, ContentReport* report, ContentRecord& record)
{
    const bool midWord = insideWord(report);
    const bool failedBefore = in.fail();
    if (auto target = std::get_if<float*>(&field)) {
        float value;
        if (readFloat(in, value)) {
            **target = value;
            record.numbers.push_back(value);
            noteGlued(report);
        } else if (!failedBefore) {
            noteUnread(in, report, midWord, record.line,
                "\"" + record.keyword + "\" ends before all its values",
                "the game stops reading here");
        }
    } else if (auto target = std::get_if<int*>(&field)) {
        int value;
        if (in >> value) {
            **target = value;
            record.numbers.push_back(static_cast<float>(value));
            noteGlued(report);
        } else if (!failedBefore) {
            noteUnread(in, report, midWord, record.line,
                "\"" + record.keyword + "\" ends before all its values",
                "the game stops reading here");
        }
    } else {
        SDL_Surface*& image = *std::get<SDL_Surface**>(field);
        std::string path;
        in >> path;
        SDL_FreeSurface(image);
        if (path.empty()) {
            image = nullptr;
            if (!failedBefore)
                noteUnread(in, report, midWord, record.line,
                    "\"" + record.keyword + "\" ends before all its values",
                    "the game stops reading here");
            return;
        }
        record.words.push_back(path);
        const std::string where
            = report && !report->imageFolder.empty() ? report->imageFolder + "/" + path : path;
        std::string why;
        image = loadImage(where, &why);
        if (!image && report)
            report->warning(report->line(), "image " + quotedWord(path) + " " + why);
        const std::string tooLarge = image && record.keyword != "planet" && record.keyword != "sun"
            ? oversizedTurnedImage(record.keyword, quotedWord(path), image->w, image->h)
            : "";
        if (!tooLarge.empty()) {
            // Turned anew for every frame it is drawn in, such an image would
            // cost seconds a frame: the thing goes without one.
            SDL_FreeSurface(image);
            image = nullptr;
            if (report) {
                report->error(report->line(), tooLarge);
            } else {
                std::printf("Data file: %s\n", tooLarge.c_str());
                std::fflush(stdout);
            }
        }
    }
}

// Collision radii beyond what any world can hold are held to the largest
// that can (content/limits.h); everything else is kept as read.
void boundRadii()
{
    Tuning& t = writableTuning();
    for (float* r : {&t.shipRadius, &t.grapRadius, &t.nodeRadius})
        *r = boundedRadius(*r);
    for (float& r : t.enRadius)
        r = boundedRadius(r);
}

} // namespace

void readData(std::istream& in, ContentReport* report)
{
    static const std::map<std::string, std::vector<Field>> records = buildRecordTable();
    while (!in.eof()) {
        std::string keyword;
        in >> keyword;
        auto record = records.find(keyword);
        if (record == records.end()) {
            if (report && !keyword.empty())
                report->error(report->line(),
                    quotedWord(keyword) + " is not a keyword: the game stops reading here");
            break;
        }
        ContentRecord read {keyword, report ? report->line() : 0, {}, {}};
        for (const Field& field : record->second)
            readField(in, field, report, read);
        if (report)
            report->records.push_back(read);
    }
    boundRadii();
    placeGunMounts();
}

void placeGunMounts()
{
    Tuning& t = writableTuning();
    for (int cls = 0; cls < enemyClassCount; ++cls) {
        // The mount is given in pixels from the image's top-left corner; the
        // simulation wants it from the centre, along and across the heading.
        const SDL_Surface* hull = enemySprites[cls];
        const int w = hull ? hull->w : 0;
        const int h = hull ? hull->h : 0;
        for (int mount : {enemyClasses[cls].firstMount, enemyClasses[cls].secondMount}) {
            if (mount < 0)
                continue;
            t.gunMountAlong[mount] = t.turretX[mount] - static_cast<float>(w / 2);
            t.gunMountAcross[mount] = t.turretY[mount] - static_cast<float>(h / 2);
        }
    }
}

bool readDataFile(const std::string& path)
{
    // Only a regular file, within the bound: "data" linked to /dev/zero
    // would otherwise be read for ever.
    std::string text;
    if (readRegularFile(path, text, maxContentFileBytes) != FileRead::ok)
        return false;
    TextStream in(text);
    readData(in);
    return true;
}

std::string loadGameData()
{
    return readDataFile("data") ? std::string() : "Error opening data";
}

} // namespace tether
