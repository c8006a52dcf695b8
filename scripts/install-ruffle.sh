#!/usr/bin/env bash
# Installs the Flash runtime (Ruffle, the version pinned in
# third_party/ruffle/package-lock.json) from the npm registry; the build
# copies it into the program folder. Nothing is fetched when the player runs.
set -euo pipefail
cd "$(dirname "$0")/../third_party/ruffle"
npm ci --no-audit --no-fund --loglevel=error
