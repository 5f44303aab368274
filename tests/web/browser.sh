#!/usr/bin/env bash
# The game in the browser: builds the page from this build's game folder
# (scripts/web.sh), serves it on the loopback, and plays it in headless
# Chromium (web/test/check.js; Lighthouse and axe-core judge it too),
# against the desktop's own title picture and a replay recorded by the
# desktop's simulator; the page's own replay comes back and must reproduce
# on the desktop.
# usage: tests/web/browser.sh BUILD_DIR
source "$(dirname "$0")/../e2e/lib.bash"
build=$(cd "$1/.." && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -d "$root/web/test/node_modules/puppeteer-core" ] && [ -d "$root/web/test/node_modules/lighthouse" ] ||
    fail "the browser driver is missing: run scripts/setup.sh (npm ci in web/test)"

# The page, built from this build's game folder.
TETHER_NATIVE_BUILD="$build" TETHER_WEB_OUT="$build/web" bash "$root/scripts/web.sh" >"$work/web.log" 2>&1 ||
    { tail -30 "$work/web.log"; fail "the web build failed"; }

# What the checks saw (screenshots, the desktop's title, the replays) stays
# in the build folder to look at.
seen="$build/web-test"
rm -rf "$seen"
mkdir -p "$seen"

# The desktop's title, as the browser's is compared with it.
copy_game "$build/game"
start_xvfb
start_game
wait_for_picture
sleep 0.3
screenshot "$seen/desktop-title.png"
stop_game
convert "$seen/desktop-title.png" -depth 8 rgb:"$work/title.rgb"

# A short level recorded by the desktop's simulator.
(cd "$build/game" && ./tether-sim --pilot bot --ship 2 --seed 5 --minutes 0.1 \
    --record "$seen/desktop.replay" first_contact) >"$work/sim.txt" ||
    fail "the simulator could not record a replay: $(cat "$work/sim.txt")"

# The checks serve the page themselves (web/serve.py, on the loopback), as a
# host would: the offline check stops the server and starts it again.
node "$root/web/test/check.js" "$build/web" "$work/title.rgb" "$seen/desktop.replay" "$seen" ||
    fail "the page failed its checks (screenshots in $seen)"

# The level played in the page reproduces on the desktop.
[ -s "$seen/page.replay" ] || fail "the page gave back no replay"
(cd "$build/game" && ./tether-sim --replay "$seen/page.replay") >"$work/page-replay.txt" ||
    fail "the page's replay does not reproduce on the desktop: $(cat "$work/page-replay.txt")"
echo "ok   the page's replay reproduces on the desktop"
