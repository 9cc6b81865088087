#!/bin/sh
# Screenshots of the three pages, taken from the running program on the simulated mouse
# under a private X server: docs/screen_main.png, docs/screen_advanced.png, docs/screen_color.png.
# Usage: scripts/screenshots.sh [build folder]   (default: build)
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build}
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The program alone in a folder with its files, in English, on the factory profile.
cp "$build/bin/ZRV_Vantix-sim" "$work/"
cp -r "$repo/data/skins" "$repo/data/Macro_CN.dat" "$repo/data/Macro_EN.dat" "$repo/data/constMacro.dat" "$work/"
cp "$repo/data/config.ini" "$work/config.ini"
sed -i 's/^VER_SEL=.*/VER_SEL=1/; s/^CurConfig=.*/CurConfig=1/' "$work/config.ini"
mkdir -m 700 "$work/run"

Xvfb -displayfd 3 -nolisten tcp -screen 0 800x600x24 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# Standard input stays open (the end of input would unplug the simulated mouse).
mkfifo "$work/input"
XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb "$work/ZRV_Vantix-sim" <"$work/input" >"$work/output" 2>&1 &
program_pid=$!
exec 4>"$work/input"

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name '^Halvex Gaming Mouse$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; cat "$work/output" >&2; exit 1; }

# Centre of a MainButtons element of the English layout.
centre() {
    tr -d '\r' <"$repo/data/skins/INI_EN/skin_main_en.ini" |
        awk -F, -v key="$1" '/^\[/ { inside = ($0 == "[BUTTONPOS]") }
            inside && index($0, key "=") == 1 { printf "%d %d\n", $2 + $4 / 2, $3 + $5 / 2; exit }'
}
click() {
    xdotool mousemove --sync $(centre "$1") click 1
    # Park the pointer on the window's edge so no element shows its hover state.
    xdotool mousemove --sync 799 599
    sleep 0.5
}
shot() {
    import -window root "$repo/docs/$1"
    echo "docs/$1"
}

mkdir -p "$repo/docs"
xdotool mousemove --sync 799 599
sleep 1
shot screen_main.png
click 10
shot screen_advanced.png
click 11
sleep 1.5  # the lamp's first period
shot screen_color.png
