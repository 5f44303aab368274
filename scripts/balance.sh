#!/usr/bin/env bash
# The campaign's balance, measured: the bot pilot plays every map of the map
# list and its boss map with each ship, RUNS seeds each (20 unless given),
# in the headless simulator. Writes the simulator's JSON lines to
# docs/balance/runs.jsonl, draws docs/balance/balance.png with gnuplot
# (scripts/balance.gp) and rewrites the table between the markers in
# docs/balance.md. The prose around the table is written by hand.
#   bash scripts/balance.sh [RUNS]     play, then draw and tabulate
#   bash scripts/balance.sh --redraw   draw and tabulate the runs there are
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/balance
doc=docs/balance.md

if [ "${1:-}" != "--redraw" ]; then
  bash scripts/build.sh >/dev/null
  mkdir -p "$out"
  build/game/tether-sim --runs "${1:-20}" --ship all --pilot bot maplist | grep '^{' >"$out/runs.jsonl"
fi
# Seeds per map and ship: the runs of the first map with the first ship.
first=$(head -1 "$out/runs.jsonl" | sed 's/^{"map":"\([^"]*\)".*/\1/')
runs=$(grep -c "^{\"map\":\"$first\",\"ship\":1," "$out/runs.jsonl")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Per map and ship, in the order played: runs, wins, the medians, and the
# losses by what ended the ship. The simulator writes its keys in a fixed
# order and its numbers in a fixed form, so plain text matching reads them.
awk -v chart="$work/chart.dat" -v table="$work/table.md" '
function value(line, key,    at, rest, end) {
    at = index(line, "\"" key "\":")
    if (!at) return ""
    rest = substr(line, at + length(key) + 3)
    end = match(rest, /[,}]/)
    rest = substr(rest, 1, end - 1)
    gsub(/"/, "", rest)
    return rest
}
function median(list, n,    i, j, v, a) {
    if (n == 0) return ""
    for (i = 1; i <= n; ++i) a[i] = list[i] + 0
    for (i = 2; i <= n; ++i) {
        v = a[i]
        for (j = i - 1; j >= 1 && a[j] > v; --j) a[j + 1] = a[j]
        a[j + 1] = v
    }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{
    key = value($0, "map") SUBSEP value($0, "ship")
    if (!(key in runs)) { order[++keys] = key; mapOf[key] = value($0, "map"); shipOf[key] = value($0, "ship") }
    if (!(value($0, "map") in mapSeen)) { mapSeen[value($0, "map")] = 1; maps[++mapCount] = value($0, "map") }
    ++runs[key]
    outcome = value($0, "outcome"); ms = value($0, "time_ms")
    healthLeft[key, runs[key]] = value($0, "health")
    if (outcome == "won") { ++won[key]; winTime[key, won[key]] = ms / 1000 }
    else if (outcome == "lost") {
        ++lost[key]
        if (ms + 0 <= 10000) ++early[key]
        # A sun or a black hole takes all the health there is, so it ended
        # the ship whenever it hurt it, even where rounding left the
        # simulator unsure ("other").
        ended = value($0, "how")
        damage = substr($0, index($0, "\"damage_taken\""))
        if (ended == "other" && value(damage, "sun") + 0 > 0) ended = "sun"
        if (ended == "other" && value(damage, "black hole") + 0 > 0) ended = "black hole"
        ++how[key, ended]
    } else ++limit[key]
}
END {
    causes = "crashes,shots,mine,sun,black hole,other"
    nc = split(causes, cause, ",")
    causes2 = causes; gsub(/,/, " / ", causes2)
    print "| map | ship | won | median time to win | median health left | lost | of them in the first 10 s | lost to " causes2 " | time limit |" >table
    print "|---|---|---|---|---|---|---|---|---|" >table
    for (k = 1; k <= keys; ++k) {
        key = order[k]
        n = 0; for (i = 1; i <= won[key]; ++i) list[++n] = winTime[key, i]
        t = median(list, n); delete list
        n = 0; for (i = 1; i <= runs[key]; ++i) list[++n] = healthLeft[key, i]
        h = median(list, n); delete list
        by = ""; for (c = 1; c <= nc; ++c) by = by (c > 1 ? " / " : "") (how[key, cause[c]] + 0)
        printf "| %s | %s | %d of %d (%.0f%%) | %s | %.0f | %d | %d | %s | %d |\n", mapOf[key], shipOf[key], \
            won[key], runs[key], 100 * won[key] / runs[key], t == "" ? "never won" : sprintf("%.1f s", t), \
            h, lost[key], early[key], by, limit[key] >table
        rate[mapOf[key], shipOf[key]] = 100 * won[key] / runs[key]
        wintime[mapOf[key], shipOf[key]] = t == "" ? "NaN" : sprintf("%.1f", t)
    }
    for (m = 1; m <= mapCount; ++m) {
        label = maps[m]; sub(/_boss$/, "\\n(boss)", label); gsub(/_/, " ", label)
        printf "%d \"%s\"", m - 1, label >chart
        for (s = 1; s <= 3; ++s) printf " %s", ((maps[m], s) in rate) ? rate[maps[m], s] : "NaN" >chart
        for (s = 1; s <= 3; ++s) printf " %s", ((maps[m], s) in wintime) ? wintime[maps[m], s] : "NaN" >chart
        printf "\n" >chart
    }
}' "$out/runs.jsonl"

gnuplot -e "data='$work/chart.dat'; out='$out/balance.png'; runs=$runs" scripts/balance.gp

# The table between its markers; everything else in the document stays.
awk -v table="$work/table.md" '
/<!-- balance table -->/ { print; while ((getline line < table) > 0) print line; skip = 1; next }
/<!-- end of balance table -->/ { skip = 0 }
!skip' "$doc" >"$work/doc.md"
cp "$work/doc.md" "$doc"
echo "balance: $(wc -l <"$out/runs.jsonl") runs in $out/runs.jsonl, chart $out/balance.png, table in $doc"
