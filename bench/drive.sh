#!/usr/bin/env bash
# Answers the program bench-xrun started, the way a user would, once its first
# window is mapped. bench-xrun passes the window in BENCH_WINDOW and the process
# in BENCH_PID.
#   decline   Escape on the question: the program ends without doing anything.
#   accept    Enter on the question: the minimal program ends.
#   complete  Enter on the question, then the Completed button of the uninstaller's
#             completion page until the program has ended.
set -uo pipefail

answer() {
    xdotool windowfocus --sync "$BENCH_WINDOW" key --clearmodifiers "$1" >/dev/null 2>&1
}

# The Completed button in the lower right corner of the 720 x 480 panel, which
# sits 12 px inside the window; a click there does nothing until the page shows.
completed_x=$((12 + 720 - 36 - 44))
completed_y=$((12 + 480 - 24 - 16))

case "${1:-}" in
    decline) answer Escape ;;
    accept) answer Return ;;
    complete)
        answer Return || exit 1
        window=
        for _ in $(seq 400); do
            kill -0 "$BENCH_PID" 2>/dev/null || exit 1
            window=$(xdotool search --onlyvisible --pid "$BENCH_PID" 2>/dev/null | grep -vx "$BENCH_WINDOW" | head -n 1)
            [ -n "$window" ] && break
            sleep 0.05
        done
        [ -n "$window" ] || exit 1
        for _ in $(seq 600); do
            kill -0 "$BENCH_PID" 2>/dev/null || exit 0
            xdotool mousemove --window "$window" "$completed_x" "$completed_y" click 1 >/dev/null 2>&1
            sleep 0.1
        done
        exit 1
        ;;
    *) echo "usage: $0 decline|accept|complete" >&2; exit 2 ;;
esac
