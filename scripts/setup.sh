#!/usr/bin/env bash
# Installs every Debian package the game, its tools and its tests need, and
# the Debian package builder: the art generator draws its text with the DejaVu
# faces of fonts-dejavu-core and fonts-dejavu-extra; CPack reads the game's
# library dependencies with dpkg-shlibdeps (dpkg-dev), which needs `file`;
# the installed-package test checks the package with lintian and its
# AppStream entry with appstreamcli (appstream);
# scripts/balance.sh draws its chart with gnuplot (gnuplot-nox);
# the game for the browser is built with emscripten, its files precompressed
# with brotli (and gzip), and tested in chromium, driven from node by the npm
# packages locked in web/test (npm ci: puppeteer-core, Lighthouse, axe-core); the
# test sim_agrees_in_wasm runs the simulator compiled to WebAssembly under
# node.
# Does nothing when they are all there.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev libx11-dev
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  libpng-dev libfreetype-dev libsndfile1-dev libvorbis-dev
  fonts-dejavu-core fonts-dejavu-extra
  xvfb xdotool x11-apps x11-utils imagemagick bc strace
  dpkg-dev file lintian appstream
  gnuplot-nox
  emscripten nodejs chromium brotli
)
# npm comes with Debian's nodejs as a package of its own; a node installed
# another way brings its own npm (and Debian's would conflict with it).
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  "${as_root[@]}" apt-get update
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The browser tests' driver, as the lockfile has it; again only when the
# lockfile changed since. npm checks every package against the lockfile's
# SHA-512; a network that re-signs the registry's certificates with its own
# authority (unknown to a fresh system) may still deliver them, so a failed
# certificate check is retried without it, the packages' hashes still checked.
cd "$(dirname "$0")/../web/test"
if [ ! package-lock.json -ot node_modules/.package-lock.json ]; then
  if ! npm ci --no-audit --no-fund 2>npm-ci.log; then
    if grep -q "CERT\|certificate" npm-ci.log; then
      echo "npm: the registry's certificate is not trusted here; fetching again, checking the lockfile's hashes"
      npm ci --no-audit --no-fund --strict-ssl=false
    else
      cat npm-ci.log >&2
      exit 1
    fi
  fi
  rm -f npm-ci.log
fi
