#!/usr/bin/env bash
# Installs the Debian 12 packages the player needs to build and run, and, unless
# --player is given, those its tests, fuzzing and benchmarks need too.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libmpv-dev libavformat-dev libavcodec-dev libswscale-dev libfluidsynth-dev libfontconfig-dev zlib1g-dev libpng-dev libx11-dev libchm-dev
  # the build configures its tests, so it finds GoogleTest even for the player alone
  libgtest-dev libgmock-dev
  # the display area's web view (the home page) and the Flash runtime's
  # (Ruffle, installed with npm, below)
  qt6-webengine-dev
  # Qt's own dialogs in Chinese
  qt6-translations-l10n
  # the player's own files: help compiler, music and sample encoder
  fp-utils ffmpeg
  # run: MIDI sound font, fonts for the Chinese texts
  timgm6mb-soundfont fonts-wqy-microhei
  # run without a display: virtual screen and its screenshot
  xvfb xauth imagemagick
  # run on a Wayland desktop (Qt's wayland platform)
  qt6-wayland
  # the desktop: default applications, autostart and desktop entries
  xdg-utils desktop-file-utils shared-mime-info libglib2.0-bin
)
tests=(
  clang-format
  # the tests: input, pictures, sound, a session bus, a window manager
  xdotool x11-utils sox dbus-daemon dbus-bin openbox
  # a live test that hangs prints its threads' stacks
  gdb
  # the Wayland tests' own compositor (headless, or nested in the virtual screen)
  weston
  # the Debian package (scripts/package.sh: cpack finds its dependencies with
  # dpkg-shlibdeps and file) and the install check (metainfo, manual page)
  dpkg-dev file appstream man-db
  # fuzzing: clang with libFuzzer and the sanitizers
  clang libclang-rt-14-dev
  # benchmarks: plain mpv, to compare the player with
  mpv
)
if [ "${1:-}" != "--player" ]; then packages+=("${tests[@]}"); fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# npm comes with the machine's Node.js where there is one (Debian's npm
# package conflicts with that Node.js); Debian's is taken only where none is.
if ! command -v npm >/dev/null; then packages+=(npm); fi
$sudo apt-get install -y -qq --no-install-recommends "${packages[@]}"

# The Flash runtime, from npm at its pinned version.
"$(dirname "$0")/install-ruffle.sh"
