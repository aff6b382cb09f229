#!/usr/bin/env bash
# Builds the uninstaller, installs the sample product into a throw-away sandbox and
# runs the uninstaller against it.
#   - With a display (DISPLAY set and reachable) the uninstaller opens there and you
#     answer it yourself.
#   - Without one it runs in a private Xvfb server, answers the dialogs itself and
#     saves a screenshot of each step.
# Options:
#   --headless          use Xvfb even when a display is available
#   --language en|zh    the language of the run (default: en)
#   --screenshots DIR   where the headless run saves its screenshots (default: in the sandbox)
#   --no-build          use the existing build in build/
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
headless=0
language=en
shots=
build=1
while [ $# -gt 0 ]; do
    case "$1" in
        --headless) headless=1 ;;
        --language) language=$2; shift ;;
        --screenshots) shots=$2; shift ;;
        --no-build) build=0 ;;
        --inner) inner=1 ;;
        *) echo "unknown option: $1" >&2; exit 2 ;;
    esac
    shift
done

if [ "${inner:-0}" -eq 0 ]; then
    if [ "$build" -eq 1 ]; then
        bash "$src/scripts/install-deps.sh"
        cmake -S "$src" -B "$src/build" -G Ninja -DBUILD_TESTING=OFF >/dev/null
        cmake --build "$src/build"
    fi
    if [ "$headless" -eq 0 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        sandbox=$(mktemp -d /tmp/uninstall-demo-XXXXXX)
        eval "$(bash "$src/scripts/install-sample-product.sh" "$sandbox" "$src/build/bin")"
        echo "Sample product installed in $sandbox; starting the uninstaller on $DISPLAY."
        lang_env=en_US.UTF-8
        [ "$language" = zh ] && lang_env=zh_CN.UTF-8
        set +e
        LC_CTYPE=C.UTF-8 LANG=$lang_env "$UNINSTALL_EXE"
        echo "The uninstaller exited with code $?. The sandbox stays in $sandbox for you to look at."
        exit 0
    fi
    args=(--inner --language "$language")
    [ -n "$shots" ] && args+=(--screenshots "$(mkdir -p "$shots" && cd "$shots" && pwd)")
    exec xvfb-run -a -s "-screen 0 1024x640x24 -nolisten tcp" bash "$0" "${args[@]}"
fi

# Inside the private X server from here on.
sandbox=$(mktemp -d /tmp/uninstall-demo-XXXXXX)
shots=${shots:-$sandbox/screenshots}
mkdir -p "$shots"
# Enough files that the progress page stays up long enough to be photographed.
eval "$(SAMPLE_BULK_FILES=60000 bash "$src/scripts/install-sample-product.sh" "$sandbox" "$src/build/bin")"

if [ "$language" = zh ]; then
    export LANG=zh_CN.UTF-8
else
    export LANG=en_US.UTF-8
fi
export LC_CTYPE=C.UTF-8 QT_QPA_PLATFORM=xcb
# A neutral grey screen and a compositor, so that the window's transparent border,
# rounded corners and shadow show as they do on a desktop.
xsetroot -solid '#8a949c' 2>/dev/null || true
if command -v xcompmgr >/dev/null; then
    xcompmgr >/dev/null 2>&1 &
fi

# The process shows one window at a time: the question first, then the main window.
wait_for_window() {
    local id=
    for _ in $(seq 600); do
        id=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -v "^${1:-none}\$" | head -n 1)
        [ -n "$id" ] && break
        sleep 0.05
    done
    echo "$id"
}

# Saves the screen around one window, with a margin, as NAME.png.
shot() {
    local name=$1 window=$2 x y w h
    eval "$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=/g_\1=/p')"
    x=$((g_X > 24 ? g_X - 24 : 0)); y=$((g_Y > 24 ? g_Y - 24 : 0))
    w=$((g_WIDTH + 48)); h=$((g_HEIGHT + 48))
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/$name.png"
}

"$UNINSTALL_EXE" &
pid=$!

dialog=$(wait_for_window)
[ -n "$dialog" ] || { echo "the confirmation did not appear" >&2; kill "$pid"; exit 1; }
shot 1-confirmation "$dialog"
xdotool windowfocus --sync "$dialog" key Return

window=$(wait_for_window "$dialog")
shot 2-progress "$window"

# The completion page's button sits in the lower right corner of the panel; a click
# there does nothing until the page is shown.
for _ in $(seq 600); do
    kill -0 "$pid" 2>/dev/null || break
    if [ ! -e "$shots/3-completed.png" ] && [ ! -d "$(dirname "$UNINSTALL_EXE")/data" ]; then
        sleep 0.5
        shot 3-completed "$window"
    fi
    [ -e "$shots/3-completed.png" ] && xdotool mousemove --window "$window" 652 452 click 1 2>/dev/null
    sleep 0.1
done
set +e
wait "$pid"
code=$?
set -e

echo "The uninstaller exited with code $code."
echo "What is left of the sample product in $sandbox:"
( cd "$sandbox" && find . -path ./home/.cache -prune -o -print | sort | sed 's/^/  /' )
echo "Screenshots of each step are in $shots"
