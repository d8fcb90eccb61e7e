#!/usr/bin/env bash
# Sets up a fresh machine, builds the program and starts the window in the current directory
# (the record files SV2006.xyz .. SV2010.xyz are kept there).
set -euo pipefail
arbeitsverzeichnis="$(pwd)"
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"

./scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs" --target svpflicht

cd "$arbeitsverzeichnis"
exec "$repo/build/ui/svpflicht" "$@"
