#include "table.h"

#include <algorithm>
#include <cstdio>

namespace sim {

using tether::LevelSummary;
using tether::Outcome;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Row {
    std::string map;
    int ship = 0;
    int runs = 0, won = 0;
    std::vector<double> winTimes; // seconds
    std::vector<double> health;
};

} // namespace

std::string resultsTable(const std::vector<LevelSummary>& summaries)
{
    std::vector<Row> rows;
    for (const LevelSummary& s : summaries) {
        auto row = std::find_if(rows.begin(), rows.end(),
            [&](const Row& r) { return r.map == s.map && r.ship == s.ship; });
        if (row == rows.end()) {
            row = rows.insert(rows.end(), Row {});
            row->map = s.map;
            row->ship = s.ship;
        }
        ++row->runs;
        if (s.outcome == Outcome::won) {
            ++row->won;
            row->winTimes.push_back(static_cast<double>(s.stats.gameTime) / 1000.0);
        }
        row->health.push_back(s.health);
    }

    size_t mapWidth = 3;
    for (const Row& row : rows)
        mapWidth = std::max(mapWidth, row.map.size());
    const int w = static_cast<int>(mapWidth);
    char line[512];
    std::snprintf(line, sizeof line, "%-*s  %4s  %5s  %8s  %18s  %18s\n", w, "map", "ship", "runs",
        "won", "median time to win", "median health left");
    std::string out = line;
    for (const Row& row : rows) {
        char time[32] = "-";
        if (!row.winTimes.empty())
            std::snprintf(time, sizeof time, "%.1f s", median(row.winTimes));
        std::snprintf(line, sizeof line, "%-*s  %4d  %5d  %7.1f%%  %18s  %18.1f\n", w,
            row.map.c_str(), row.ship, row.runs, 100.0 * row.won / row.runs, time,
            median(row.health));
        out += line;
    }
    return out;
}

} // namespace sim
