#!/usr/bin/env bash
# Builds what the install step installs (the player, its own files, the
# desktop entry's writer) in build/ and makes the Debian package there with
# cpack: build/quilmora_<version>-<release>_<arch>.deb. Its dependencies come
# from the binaries through dpkg-shlibdeps (packaging/deb_package.cmake).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
  cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build --target player qm_debian_changelog
rm -f build/quilmora_*.deb
(cd build && cpack -G DEB)
package=$(ls build/quilmora_*.deb)
echo "package: $package ($(du -h "$package" | cut -f1))"
dpkg-deb -f "$package" Depends Recommends Suggests
