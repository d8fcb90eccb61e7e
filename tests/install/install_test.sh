#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop installation needs:
# the two programs, the menu launcher, the help page, the desktop entry and the icon; then
# runs the installed batch program and starts the installed window through the launcher
# with a temporary home, which must create the data folder and the master file there.
set -euo pipefail
build="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/svpflicht bin/svpflicht-batch bin/svpflicht-starter \
         share/svpflicht/hilfe/index.html share/svpflicht/hilfe/beitraege.html \
         share/applications/svpflicht.desktop \
         share/icons/hicolor/scalable/apps/svpflicht.svg; do
    if [ ! -e "$prefix/$f" ]; then
        echo "nicht installiert: $f" >&2
        exit 1
    fi
done
grep -q '^Categories=Office;Finance;' "$prefix/share/applications/svpflicht.desktop"
grep -q '^Exec=svpflicht-starter' "$prefix/share/applications/svpflicht.desktop"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$prefix/share/applications/svpflicht.desktop"
fi

out="$(echo '{"HBEntgelt": 1500, "Monatslohn": [450, 0]}' | "$prefix/bin/svpflicht-batch")"
case "$out" in
    *'"Ergebniscode"'*) ;;
    *) echo "svpflicht-batch antwortet nicht wie erwartet: $out" >&2; exit 1 ;;
esac

# The launcher works in ~/.local/share/svpflicht, whatever folder it is started in.
mkdir -p "$tmp/home" "$tmp/anderswo"
set +e
(cd "$tmp/anderswo" && HOME="$tmp/home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen \
    timeout 5 "$prefix/bin/svpflicht-starter")
status=$?
set -e
if [ "$status" -ne 124 ] && [ "$status" -ne 0 ]; then
    echo "das installierte Programm endet mit Status $status" >&2
    exit 1
fi
test -f "$tmp/home/.local/share/svpflicht/SV2008.xyz"
test ! -e "$tmp/anderswo/SV2008.xyz"
echo "Installation in Ordnung"
