#!/usr/bin/env bash
# The soak: the game in a real window (Xvfb), played level after level by
# seeded random input, as a sanitizer build in CI, watching for any report
# and for memory that grows from cycle to cycle. Every shipped map is played
# (the boss maps after a quick victory), with each ship in turn, so the keys
# of all three control schemes; level cycles end in victory, game over and
# Escape. Small maps of the soak's own make victory (no enemy) and game over
# (a sun on the spawn point) quick.
#   soak.sh GAME_DIR [MINUTES]  thirty cycles, or as many as MINUTES hold
#                               (at least thirty); SOAK_SEED picks the input
# Memory is sampled on the title screen after each cycle: the resident
# memory (VmRSS) and, in a sanitizer build, the live heap (what the game's
# allocations hold). The sanitizer's allocator holds freed memory back (its
# quarantine, then pools by size), so there the resident memory climbs for
# hundreds of MB while the live heap is what must stay flat; in a plain
# build the resident memory must. The live heap still climbs in steps of
# ~72 kB over the first cycles: the mixer keeps each music track's decoder
# from the track's first play for the rest of the run, and the soak's levels
# play at most ten tracks (2 to 11), so up to 0.65 MB (3.6%) on ~18 MB,
# then flat. Prints the figures: time, cycles, peak memory, memory after the
# first and the last cycle. Fails on a sanitizer report, a game that ends or
# hangs, or memory after the last cycle more than 5% above the first.
source "$(dirname "$0")/../e2e/lib.bash"
minutes=${2:-0}
seed=${SOAK_SEED:-$(date +%s)}
RANDOM=$seed
cycles_wanted=30
growth_allowed=5 # percent

copy_game "$1"
maps="$work/game/maps"
printf 'world 3000 3000\nspawn 1500 1500 0 0\nplanet 2200 1500 1e11 100\n' >"$maps/soak_win"
printf 'world 3000 3000\nspawn 1500 1500 0 0\nsun 1500 1500 2e11 120\nenemy1 2600 1500 0 0 0\n' \
    >"$maps/soak_lose"

# The plan repeats every fifteen cycles. map:N plays shipped map N until
# Escape; boss:N wins at once and plays map N's shipped boss map until
# Escape; win wins twice (its boss map is itself); lose is lost at once.
shipped=(first_contact twin_suns event_horizon minefield)
plan=(map:0 boss:0 map:1 win map:2 boss:1 map:3 lose boss:2 map:0 boss:3 map:1 win map:2 lose)

# The title screen reads the map list each time it comes up: each cycle's
# list holds the one map that cycle plays, written before the title shows.
write_map_list() {
    local kind=${1%%:*} n=${1#*:} entry
    case $kind in
    map) entry="${shipped[$n]} ${shipped[$n]}_boss 7" ;;
    boss) entry="soak_win ${shipped[$n]}_boss $((n + 8))" ;;
    win) entry="soak_win soak_win 2" ;;
    lose) entry="soak_lose soak_lose 3" ;;
    esac
    printf '1\n%s\n' "$entry" >"$maps/maplist.new"
    mv "$maps/maplist.new" "$maps/maplist"
}

# What the screen shows: title (as it comes up, the ship row framed in
# yellow), victory, gameover, title-map-row (the title with its map row
# framed: a press reached it that nobody made there) or level (anything
# else).
screen_state() {
    local shown
    shown=$(xwd -root -silent | convert xwd:- -format \
        '%[fx:p{320,130}.r>0.99&&p{320,130}.g>0.99&&p{320,130}.b<0.01] %[fx:p{197,308}.r>0.9&&p{197,308}.g>0.75&&p{197,308}.b<0.7&&p{480,300}.r>0.9&&p{480,300}.g>0.75&&p{480,300}.b<0.75] %[fx:p{150,300}.r>0.9&&p{150,300}.g>0.45&&p{150,300}.g<0.7&&p{480,300}.r>0.9&&p{480,300}.g>0.45&&p{480,300}.g<0.7] %[fx:p{320,400}.r>0.99&&p{320,400}.g>0.99&&p{320,400}.b<0.01]' \
        info:)
    case $shown in
    "1 "*) echo title ;;
    "0 1 "*) echo victory ;;
    "0 0 1 "*) echo gameover ;;
    "0 0 0 1") echo title-map-row ;;
    *) echo level ;;
    esac
}

# Waits (up to 60 s) until the screen is in one of the states given, which
# is left in `state`.
state=""
wait_for_state() {
    for _ in $(seq 1 300); do
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended (cycle $cycle)"
        state=$(screen_state)
        for wanted in "$@"; do
            [ "$state" = "$wanted" ] && return 0
        done
        sleep 0.2
    done
    fail "cycle $cycle: the screen stayed '$state', not $*"
}

# The random player. Keys of all three schemes; held keys are let go at
# random, never before the next step (a step is 100 to 250 ms, several
# frames even in a sanitizer build).
keys=(Up Down Left Right w a s d q e)
held=()
press_random_key() {
    local key=${keys[RANDOM % ${#keys[@]}]}
    [[ " ${held[*]} " == *" $key "* ]] && return 0
    xdotool keydown "$key"
    held+=("$key")
}
release_random_key() {
    [ ${#held[@]} -gt 0 ] || return 0
    local i=$((RANDOM % ${#held[@]}))
    xdotool keyup "${held[$i]}"
    held=("${held[@]:0:$i}" "${held[@]:$((i + 1))}")
}
release_all() {
    local key
    for key in "${held[@]}"; do xdotool keyup "$key"; done
    held=()
}
random_step() {
    local roll=$((RANDOM % 20))
    if [ "$roll" -lt 6 ]; then
        press_random_key
    elif [ "$roll" -lt 10 ]; then
        release_random_key
    elif [ "$roll" -lt 14 ]; then
        xdotool mousemove $((10 + RANDOM % 780)) $((10 + RANDOM % 580))
    elif [ "$roll" -lt 18 ]; then
        xdotool click 1 # a hook shot
    else
        xdotool click 3 # let go
    fi
    sleep "0.$((10 + RANDOM % 16))"
}

# Plays at random for up to `seconds`, looking at the screen every other
# step; stops early when the level ends by itself, with `state` telling how
# (level: still playing). No key stays held afterwards.
play_randomly() {
    local until=$(($(date +%s) + $1)) steps=0
    state=level
    while [ "$(date +%s)" -lt "$until" ]; do
        random_step
        if [ $((++steps % 2)) = 0 ]; then
            kill -0 "$game_pid" 2>/dev/null || fail "the game ended (cycle $cycle)"
            state=$(screen_state)
            [ "$state" = level ] || break
        fi
    done
    release_all
}

# The random player goes on for a moment after a level ends, as players
# do: what it presses while an end screen stands must reach nothing, not the
# title nor the boss map that follows.
press_on_end_screen() {
    for _ in 1 2; do random_step; done
    release_all
}

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$game_pid/status"; }
peak_kb() { awk '/^VmHWM:/ {print $2}' "/proc/$game_pid/status"; }

# A sanitizer build's game writes its live heap into this file on SIGUSR1.
# (Not `ldd | grep -q`: grep's early exit may break ldd's pipe, and with
# pipefail the sanitizer build would be taken for a plain one.)
sanitized=""
[[ $(ldd "$work/game/tether") == *libasan* ]] && sanitized=1
export TETHER_LIVE_HEAP_FILE="$work/heap"
heap_kb() {
    rm -f "$TETHER_LIVE_HEAP_FILE"
    kill -USR1 "$game_pid"
    for _ in $(seq 1 100); do
        [ -s "$TETHER_LIVE_HEAP_FILE" ] && { echo $(($(cat "$TETHER_LIVE_HEAP_FILE") / 1024)); return 0; }
        sleep 0.05
    done
    fail "the game did not tell its live heap"
}

start_xvfb
write_map_list "${plan[0]}"
cycle=0
started=$(date +%s)
start_game
xdotool mousemove 400 300 # focus follows the pointer: keep it in the window
wait_for_state title
victories=0 gameovers=0 escapes=0 played=0
first_rss="" last_rss="" first_heap="" last_heap=""
while :; do
    kind=${plan[cycle % ${#plan[@]}]}
    ship=$((cycle % 3))
    ((++cycle))
    # Choose the ship with Right (its box takes its colour), then Space. The
    # title comes up on the first ship, whatever the random player pressed
    # while the last end screen stood.
    box=(0000FF 00FFFF FF0000)
    screenshot "$work/chosen.png"
    [ "$(pixel "$work/chosen.png" 125 250)" = "${box[0]}" ] ||
        fail "cycle $cycle: the title came up on another ship than the first"
    for ((presses = 0; presses < ship; ++presses)); do
        hold_until_change Right "$work/chosen.png"
        screenshot "$work/chosen.png"
    done
    [ "$(pixel "$work/chosen.png" $((125 + 200 * ship)) 250)" = "${box[$ship]}" ] ||
        fail "cycle $cycle: ship $((ship + 1)) is not chosen"
    hold_until_change space "$work/chosen.png"
    write_map_list "${plan[cycle % ${#plan[@]}]}" # the next cycle's, read when the title returns

    # The level and whatever follows it, until the title is back.
    entered=$(date +%s)
    state=level
    while [ "$state" != title ]; do
        case $state in
        level)
            play_randomly $((1 + RANDOM % 3))
            if [ "$state" = level ]; then
                xdotool keydown Escape
                wait_for_state title victory gameover
                xdotool keyup Escape
                [ "$state" = title ] && ((++escapes))
            fi
            ;;
        victory)
            ((++victories))
            press_on_end_screen
            wait_for_state title level gameover
            ;;
        gameover)
            ((++gameovers))
            press_on_end_screen
            wait_for_state title
            ;;
        esac
    done
    played=$((played + $(date +%s) - entered))
    last_rss=$(rss_kb)
    [ -n "$first_rss" ] || first_rss=$last_rss
    heap=""
    if [ -n "$sanitized" ]; then
        last_heap=$(heap_kb)
        [ -n "$first_heap" ] || first_heap=$last_heap
        heap=", live heap $last_heap kB"
    fi
    echo "cycle $cycle ($kind, ship $((ship + 1))): resident $last_rss kB$heap"
    elapsed=$(($(date +%s) - started))
    [ "$cycle" -ge "$cycles_wanted" ] && [ "$elapsed" -ge $((minutes * 60)) ] && break
done
peak=$(peak_kb)
kill -INT "$game_pid"
wait_game
[ "$game_status" = 0 ] || fail "the game ended with status $game_status when asked to quit"
# Growth from the first cycle to the last, in tenths of a percent.
growth() { echo $((($2 - $1) * 1000 / $1)); }
percent() { printf '%+d.%d%%' $(($1 / 10)) $((($1 < 0 ? -$1 : $1) % 10)); }
rss_growth=$(growth "$first_rss" "$last_rss")
printf 'soak (seed %s): %d cycles in %d s, %d s of it in levels (%d victories, %d game overs, %d escapes)\n' \
    "$seed" "$cycle" "$elapsed" "$played" "$victories" "$gameovers" "$escapes"
printf 'resident memory: after the first cycle %d kB, after the last %d kB (%s), peak %d kB\n' \
    "$first_rss" "$last_rss" "$(percent "$rss_growth")" "$peak"
checked=$rss_growth
if [ -n "$sanitized" ]; then
    checked=$(growth "$first_heap" "$last_heap")
    printf 'live heap: after the first cycle %d kB, after the last %d kB (%s)\n' \
        "$first_heap" "$last_heap" "$(percent "$checked")"
fi
[ "$checked" -le $((growth_allowed * 10)) ] ||
    fail "memory grew by more than ${growth_allowed}% from the first cycle to the last"
