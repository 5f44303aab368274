# Shared helpers for the end-to-end tests: a private Xvfb display, the game
# started from a copy of build/game, screenshots, and waiting for readiness.
set -euo pipefail

work=$(mktemp -d /tmp/tether-e2e-XXXXXX)
xvfb_pid=""
game_pid=""
# No test reads a player's settings or another test's files.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share"
# In a sanitizer build, every report of any program the test starts (the
# game, mapcheck) lands in sanitizer.PID, even from a program whose standard
# error the test throws away; such a program ends at its first report with
# status 86, and the test fails (cleanup).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$work/sanitizer"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}log_path=$work/sanitizer"
# The audio driver games are started with.
audio_driver=dummy

cleanup() {
    stop_game
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    local reported=""
    sanitizer_reports || reported=1
    [ -n "${E2E_KEEP:-}" ] || rm -rf "$work"
    [ -z "$reported" ] || exit 1
}

# Ends a game still running as a player would (SIGINT, a quit), so that it
# tears down and the leak checker of a sanitizer build looks at everything
# it made; one that has not ended after 30 s is killed.
stop_game() {
    [ -n "$game_pid" ] || return 0
    kill -INT "$game_pid" 2>/dev/null || { game_pid=""; return 0; }
    for _ in $(seq 1 300); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
}

# Prints every sanitizer report written so far; fails if there is one.
sanitizer_reports() {
    local report found=""
    for report in "$work"/sanitizer.*; do
        [ -e "$report" ] || continue
        echo "FAIL: a sanitizer report ($(basename "$report")):" >&2
        cat "$report" >&2
        found=1
    done
    [ -z "$found" ]
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/out.txt" ] && { echo "--- game output:" >&2; cat "$work/out.txt" >&2; }
    [ -s "$work/err.txt" ] && { echo "--- game errors:" >&2; tail -n 40 "$work/err.txt" >&2; }
    exit 1
}

# Starts Xvfb on a free display number (it picks one and tells us) and waits
# until it answers. The screen is 800x600 unless a size is given (WxH).
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "${1:-800x600}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    fail "Xvfb on $DISPLAY does not answer"
}

# Copies the built game so that a test may change its content files. A build
# made without the generated art gets a stand-in background tile, so that
# there is still a picture to wait for.
copy_game() {
    cp -r "$1" "$work/game"
    if [ ! -f "$work/game/worldsprites/space4.png" ]; then
        mkdir -p "$work/game/worldsprites"
        convert -size 64x64 pattern:checkerboard "$work/game/worldsprites/space4.png"
    fi
}

# A map list of two maps that the title tells apart: the first map, and a
# copy of it named second_wind with another boss track.
write_two_map_list() {
    cat >"$work/game/maps/maplist" <<'LIST'
2
first_contact first_contact_boss 7
second_wind first_contact_boss 8
LIST
    cp "$work/game/maps/first_contact" "$work/game/maps/second_wind"
}

# Copies the game with a campaign of one map without enemies, won at its
# first frame, whose boss map holds one sleeping enemy; starts it in
# a fresh X display and plays that map. Leaves the victory screen up, its
# screenshot in victory.png and the time it was seen in victory_shown.
victory_shown=""
play_to_victory() {
    copy_game "$1"
    printf '1\nquiet quiet_boss 7\n' >"$work/game/maps/maplist"
    printf 'world 3000 3000\nspawn 1500 1500 0 0\nplanet 1800 1400 1e11 100\n' >"$work/game/maps/quiet"
    # The boss waits beyond the enemies' wake-up range (3000 units the short
    # way round), so the boss map goes on until the test is done with it.
    printf 'world 8000 8000\nspawn 1500 1500 0 0\nenemy3 6000 6000 0 0 0\n' >"$work/game/maps/quiet_boss"
    start_xvfb
    start_game
    wait_for_picture
    screenshot "$work/title.png"
    hold_until_change space "$work/title.png"
    victory_shown=$(now)
    screenshot "$work/victory.png"
    is_gold "$work/victory.png" 197 308 || fail "no victory screen after the empty map"
}

# Starts the game from the copy, with the options given; its standard
# output goes to out.txt.
start_game() {
    start_command "$work/game" ./tether "$@"
}

# Starts a command (the game, with its options) from the folder given; its
# standard output goes to out.txt. SIGINT is set back to its default for it:
# a script started in the background inherits SIGINT ignored (and a
# background job of this script ignores it too), and SDL leaves an ignored
# SIGINT ignored, so the quit the tests send would never arrive.
start_command() {
    local folder=$1
    shift
    (cd "$folder" && SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=$audio_driver exec env --default-signal=INT "$@" >"$work/out.txt" 2>"$work/err.txt") &
    game_pid=$!
}

screenshot() {
    xwd -root -silent | convert xwd:- "$1"
}

# Number of distinct colours on the screen: 1 means a blank screen.
colour_count() {
    convert "$1" -format '%k' info:
}

# Waits (up to 20 s) until the screen shows more than one colour.
wait_for_picture() {
    for _ in $(seq 1 ${E2E_TRIES:-200}); do
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended early"
        screenshot "$work/shot.png"
        [ "$(colour_count "$work/shot.png")" -gt 1 ] && return 0
        sleep 0.1
    done
    fail "the screen stayed blank"
}

# Waits (up to 20 s) for the game to end; its exit status lands in
# game_status.
game_status=""
wait_game() {
    local running=1
    for _ in $(seq 1 ${E2E_TRIES:-200}); do
        kill -0 "$game_pid" 2>/dev/null || { running=""; break; }
        sleep 0.1
    done
    # Still running: it is hung, and a test must fail rather than wait on it.
    if [ -n "$running" ]; then
        echo "the game did not end within the wait: killed" >&2
        kill -KILL "$game_pid" 2>/dev/null || true
    fi
    game_status=0
    wait "$game_pid" || game_status=$?
    game_pid=""
}

# Number of pixels that differ between two screenshots, as a whole number
# (compare writes a million and more as 1.2e+06).
pixels_changed() {
    { compare -metric AE "$1" "$2" null: 2>&1 || true; } | awk '{ printf "%d\n", $1 }'
}

# Waits (up to 20 s) until the screen differs from the picture in $1 by more
# than a few hundred pixels (a new screen, not a blinking detail).
wait_for_change() {
    for _ in $(seq 1 ${E2E_TRIES:-200}); do
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended early"
        screenshot "$work/shot.png"
        local changed
        changed=$(pixels_changed "$1" "$work/shot.png")
        [ "${changed%%.*}" -gt 400 ] && return 0
        sleep 0.1
    done
    fail "the screen did not change from $1"
}

# Holds a key long enough for the game to see it in its key state, even on
# a loaded machine.
press() {
    xdotool keydown "$1"
    sleep 0.3
    xdotool keyup "$1"
}

# Holds a key down until the screen differs from the picture in $2, so a
# slow frame can never miss it.
hold_until_change() {
    xdotool keydown "$1"
    wait_for_change "$2"
    xdotool keyup "$1"
}

# The colour at (x, y) of a screenshot, as RRGGBB.
pixel() {
    convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6
}

# Fails unless the screenshot's pixel at (x, y) has the colour RRGGBB.
expect_pixel() {
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "pixel ($2, $3) of $(basename "$1") is $got, not $4"
}

# Succeeds when the screenshot's pixel at (x, y) is the victory overlay's
# gold (bright red and green, less blue).
is_gold() {
    convert "$1" -format "%[fx:p{$2,$3}.r>0.9 && p{$2,$3}.g>0.75 && p{$2,$3}.b<0.7]" info: | grep -q 1
}

now() { date +%s.%N; }

# Waits (up to 20 s) until the command given succeeds; fails with the
# message in $1 otherwise.
wait_until() {
    local what=$1
    shift
    for _ in $(seq 1 ${E2E_TRIES:-200}); do
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended early"
        "$@" && return 0
        sleep 0.1
    done
    fail "$what"
}

# Succeeds when the screen shows the pause screen ("PAUSED" in white).
shows_pause() {
    screenshot "$work/shot.png"
    [ "$(pixel "$work/shot.png" 258 92)" = FFFFFF ]
}

# The share of one core, in percent, that the game used over the next
# `seconds` (user and system time from /proc, in ticks of 1/100 s).
cpu_percent() {
    local seconds=$1 before after
    before=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
    sleep "$seconds"
    after=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
    echo $(((after - before) / seconds))
}
