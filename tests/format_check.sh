#!/usr/bin/env bash
# Every C++ source of the project is laid out as .clang-format says.
set -euo pipefail
cd "$1"
if ! command -v clang-format >/dev/null 2>&1; then
    echo "clang-format fehlt" >&2
    exit 1
fi
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
