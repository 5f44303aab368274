// soundgen: writes every sound effect and music track of the game.
//
//   soundgen OUTDIR            everything, into OUTDIR/sounds and OUTDIR/music
//   soundgen OUTDIR FILE...    only the named files (e.g. sounds/VqThrust.wav)
//   soundgen --web OUTDIR [FILE...]
//                              only the music, lighter, for the web page
//
// Each file is a job with its own random seed; jobs run on every core, the
// longest first, and print a line with their length and levels at the end.
// Exit status: 0 done, 1 a file could not be written, 2 bad command line.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "audiofile.h"
#include "effects.h"
#include "music.h"

namespace {

struct Job {
    std::string path;
    double estimate; // seconds of audio, to start the long jobs first
    std::function<bool(const std::string& outDir, std::string& report)> run;
};

std::string levels(const Buffer& samples)
{
    char text[96];
    std::snprintf(text, sizeof text, "peak %6.1f dBFS  rms %6.1f dBFS", gainToDb(peakOf(samples)),
        gainToDb(rmsOf(samples)));
    return text;
}

std::vector<Job> allJobs(const OggEncoding& musicEncoding)
{
    std::vector<Job> jobs;
    for (const Effect& effect : allEffects()) {
        jobs.push_back({effect.path, 1.0, [&effect](const std::string& dir, std::string& report) {
                            Buffer sound = effect.render();
                            scale(sound, effect.peak / peakOf(sound));
                            char text[64];
                            std::snprintf(
                                text, sizeof text, "%6.2f s  ", double(sound.size()) / kSampleRate);
                            report = text + levels(sound);
                            return writeWav(dir + "/" + effect.path, sound);
                        }});
    }
    int serial = 1;
    for (const Song& song : allSongs()) {
        jobs.push_back({song.path, songSeconds(song),
            [&song, serial, musicEncoding](const std::string& dir, std::string& report) {
                Stereo music = renderSong(song);
                Buffer both = music.left;
                both.insert(both.end(), music.right.begin(), music.right.end());
                char text[96];
                std::snprintf(text, sizeof text, "%6.2f s  %5.1f LUFS  ",
                    double(music.frames()) / kSampleRate, integratedLoudness(music));
                report = text + levels(both);
                return writeOgg(dir + "/" + song.path, music, serial, song.title, musicEncoding);
            }});
        ++serial;
    }
    return jobs;
}

} // namespace

int main(int argc, char** argv)
{
    const bool web = argc > 1 && std::string(argv[1]) == "--web";
    const int firstArg = web ? 2 : 1;
    if (argc <= firstArg) {
        std::fprintf(stderr, "usage: soundgen [--web] OUTDIR [FILE...]\n");
        return 2;
    }
    auto started = std::chrono::steady_clock::now();
    std::string outDir = argv[firstArg];
    std::vector<Job> jobs = allJobs(web ? kWebMusic : kGameMusic);
    if (web) // the page loads its sound effects with the game; only music streams
        jobs.erase(std::remove_if(jobs.begin(), jobs.end(),
                       [](const Job& j) { return j.path.rfind("music/", 0) != 0; }),
            jobs.end());
    if (argc > firstArg + 1) {
        std::vector<Job> chosen;
        for (int i = firstArg + 1; i < argc; ++i) {
            auto it = std::find_if(
                jobs.begin(), jobs.end(), [&](const Job& j) { return j.path == argv[i]; });
            if (it == jobs.end()) {
                std::fprintf(stderr, "soundgen: no such file to generate: %s\n", argv[i]);
                return 2;
            }
            chosen.push_back(*it);
        }
        jobs = chosen;
    }
    std::error_code error;
    for (const char* sub : {"/sounds", "/music"}) {
        if (web && std::string(sub) == "/sounds")
            continue;
        std::filesystem::create_directories(outDir + sub, error);
        if (error) {
            std::fprintf(stderr, "soundgen: cannot create %s%s: %s\n", outDir.c_str(), sub,
                error.message().c_str());
            return 1;
        }
    }
    std::stable_sort(jobs.begin(), jobs.end(),
        [](const Job& a, const Job& b) { return a.estimate > b.estimate; });

    std::vector<std::string> reports(jobs.size());
    std::vector<char> ok(jobs.size(), 0);
    std::atomic<size_t> next {0};
    auto worker = [&] {
        for (size_t i; (i = next++) < jobs.size();)
            ok[i] = jobs[i].run(outDir, reports[i]);
    };
    unsigned threads
        = std::max(1u, std::min(std::thread::hardware_concurrency(), unsigned(jobs.size())));
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(worker);
    for (std::thread& t : pool)
        t.join();

    bool allOk = true;
    for (size_t i = 0; i < jobs.size(); ++i) {
        std::printf(
            "%-32s %s%s\n", jobs[i].path.c_str(), reports[i].c_str(), ok[i] ? "" : "  FAILED");
        allOk = allOk && ok[i];
    }
    double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("soundgen: %zu files in %.1f s on %u threads\n", jobs.size(), seconds, threads);
    return allOk ? 0 : 1;
}
