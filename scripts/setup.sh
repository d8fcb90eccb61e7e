#!/usr/bin/env bash
# Installs the Debian packages the project needs, when they are missing.
# Safe to run again; runs as root or, through sudo, as a normal user.
set -euo pipefail

packages=(
    g++ cmake make
    qt6-base-dev libgl-dev qt6-translations-l10n
    nlohmann-json3-dev
    libgtest-dev libgmock-dev
    libbenchmark-dev
    xvfb xauth
    poppler-utils
    clang libclang-rt-dev
    clang-format
    parallel
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installiere fehlende Pakete: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "Fehlende Pakete (${missing[*]}) koennen ohne root oder sudo nicht installiert werden." >&2
    exit 1
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
