#!/usr/bin/env bash
# Measures the uninstaller against the best the machine and Qt allow, each figure
# as a ratio to a baseline measured in the same run:
#   removal         the real procedure's removal of a generated tree against rm -rf
#                   on an identical tree;
#   start-up        process start to the confirmation being mapped on a real X
#                   server, against a minimal Qt Widgets program showing a QMessageBox;
#   memory          peak resident size of a whole run (confirm, remove, completion
#                   page, close) against the minimal program's (question, close);
#   responsiveness  the longest gap between ticks of a 10-ms timer on the user-interface
#                   thread while the real window removes a large tree, against the
#                   same window sitting idle;
#   scaling         the removal's time per file at growing sizes, against rm -rf's.
# Every figure is the median of several runs. Everything runs in a throw-away
# sandbox (HOME and XDG point into it) with a private Xvfb server.
#
# Usage: scripts/bench.sh [--quick]
#   --quick   tiny sizes and one or two runs: proves the benchmark works, judges nothing.
# Builds what it needs in build-bench/ (Release). The table is printed and saved to
# build-bench/bench-results.md.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
build=$src/build-bench
quick=0
while [ $# -gt 0 ]; do
    case "$1" in
        --quick) quick=1 ;;
        *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
    esac
    shift
done

if [ "$quick" -eq 1 ]; then
    runs=1 responsiveness_runs=1 ui_runs=2
    removal_files=1000 removal_dirs=20 large_files=2 large_size=262144
    scale_sizes=200,1000,2000 responsiveness_files=2000
else
    # More runs where a run is cheap: the medians have to see through a shared machine.
    runs=7 responsiveness_runs=5 ui_runs=9
    removal_files=20000 removal_dirs=400 large_files=50 large_size=1048576
    scale_sizes=1000,10000,100000 responsiveness_files=100000
fi

# Tools: only when one is missing does the project's own installer run.
need_deps=0
for tool in cmake ninja c++ pkg-config Xvfb xdotool rm; do
    command -v "$tool" >/dev/null 2>&1 || need_deps=1
done
pkg-config --exists Qt5Widgets xcb 2>/dev/null || need_deps=1
if [ "$need_deps" -eq 1 ]; then
    bash "$src/scripts/install-deps.sh"
fi

echo "Building in $build (Release) ..." >&2
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DUNINSTALL_BENCH=ON -DBUILD_TESTING=OFF \
    -DUNINSTALL_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build" --target uninstall-bench -j2 >/dev/null
bin=$build/bin

sandbox=$(mktemp -d "${TMPDIR:-/tmp}/uninstall-bench-XXXXXX")
xvfb_pid=
cleanup() {
    local status=$?
    if [ "$status" -ne 0 ] && [ -s "$sandbox/log" ]; then
        echo "The benchmark failed; what it had logged:" >&2
        cat "$sandbox/log" >&2
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$sandbox"
}
trap cleanup EXIT

export BENCH_SANDBOX=$sandbox
export HOME=$sandbox/home
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$sandbox/runtime
export LANG=en_US.UTF-8 LC_CTYPE=C.UTF-8
unset LC_ALL
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" "$sandbox/trees"
chmod 700 "$XDG_RUNTIME_DIR"

# The in-process programs read their setup description beside themselves, so they
# run from a copy inside the sandbox, with the companions the program ships with.
tool=$sandbox/tool
mkdir -p "$tool"
cp "$bin/bench-removal" "$bin/bench-responsiveness" "$tool/"
cp -P "$bin"/libVexiloControl.so* "$tool/"
cp -r "$bin/rcc" "$bin/translations" "$tool/"

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
log=$sandbox/log
results=$sandbox/results

echo "Starting a private X server ..." >&2
exec 3>"$sandbox/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$sandbox/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$sandbox/display" ] && break
    sleep 0.1
done
[ -s "$sandbox/display" ] || { echo "Xvfb did not start" >&2; cat "$sandbox/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$sandbox/display")"
export QT_QPA_PLATFORM=xcb

echo "Removal: $removal_files files in $removal_dirs directories and $large_files large files, $runs runs ..." >&2
"$tool/bench-removal" compare --files "$removal_files" --directories "$removal_dirs" \
    --large-files "$large_files" --large-size "$large_size" --runs "$runs" --work "$sandbox/trees" \
    >>"$results" 2>>"$log"

echo "Scaling over $scale_sizes files, $runs runs each ..." >&2
"$tool/bench-removal" scale --sizes "$scale_sizes" --runs "$runs" --work "$sandbox/trees" >>"$results" 2>>"$log"

echo "Responsiveness while removing $responsiveness_files files, $responsiveness_runs runs ..." >&2
"$tool/bench-responsiveness" --files "$responsiveness_files" --runs "$responsiveness_runs" --work "$sandbox/trees" \
    >>"$results" 2>>"$log"

# Start-up and memory: whole runs of both programs on the X server, each run in a
# fresh sample product of its own. The first round only warms the caches. The
# order alternates so that neither program always runs on the other's warm caches.
xrun() {
    "$bin/bench-xrun" --timeout 120 --then "bash '$src/bench/drive.sh' $1" -- "$2"
}
ui_round() {
    local round=$1 ours minimal
    (
        eval "$(bash "$src/scripts/install-sample-product.sh" "$sandbox/ui-$round" "$bin")"
        if [ $((round % 2)) -eq 0 ]; then
            minimal=$(xrun accept "$bin/bench-minimal")
            ours=$(xrun complete "$UNINSTALL_EXE")
        else
            ours=$(xrun complete "$UNINSTALL_EXE")
            minimal=$(xrun accept "$bin/bench-minimal")
        fi
        case "$ours" in *" exit=0 driver=0") ;; *) echo "uninstaller run $round failed: $ours" >&2; exit 1 ;; esac
        case "$minimal" in *" exit=0 driver=0") ;; *) echo "minimal run $round failed: $minimal" >&2; exit 1 ;; esac
        [ ! -e "$UNINSTALL_EXE" ] || { echo "uninstaller run $round left the product in place" >&2; exit 1; }
        echo "  round $round: uninstaller $ours; minimal $minimal" >>"$log"
        if [ "$round" -gt 0 ]; then
            echo "ui-ours $ours" >>"$results"
            echo "ui-minimal $minimal" >>"$results"
        fi
    )
}
echo "Start-up and memory: $ui_runs whole runs of each program after a warm-up ..." >&2
for round in $(seq 0 "$ui_runs"); do
    ui_round "$round"
done

load_after=$(cut -d' ' -f1-3 /proc/loadavg)

# ---- the table ------------------------------------------------------------------
# field NAME LINE: the value of NAME=... in LINE.
field() {
    tr ' ' '\n' <<<"$2" | sed -n "s/^$1=//p"
}
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) { print 0; exit } if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
judge() { # value goal -> yes/no
    awk -v v="$1" -v g="$2" 'BEGIN { print (v <= g) ? "yes" : "no" }'
}
fmt() { # printf format, value
    awk -v v="$2" -v f="$1" 'BEGIN { printf f, v }'
}
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0) ? a / b : 0 }'
}

removal=$(grep '^removal ' "$results")
removal_ours=$(field ours_ms "$removal")
removal_rm=$(field rm_ms "$removal")
removal_ratio=$(ratio "$removal_ours" "$removal_rm")
removal_cpu_ours=$(field ours_cpu_ms "$removal")
removal_cpu_rm=$(field rm_cpu_ms "$removal")
removal_cpu_ratio=$(ratio "$removal_cpu_ours" "$removal_cpu_rm")
removal_user_ours=$(field ours_user_ms "$removal")
removal_user_rm=$(field rm_user_ms "$removal")

# median_of KIND NAME: the median of NAME=... over the result lines of KIND.
median_of() {
    grep "^$1 " "$results" | while read -r line; do field "$2" "$line"; done | median
}
startup_ours=$(median_of ui-ours mapped_ms)
startup_minimal=$(median_of ui-minimal mapped_ms)
startup_ratio=$(ratio "$startup_ours" "$startup_minimal")
startup_cpu_ours=$(median_of ui-ours cpu_ms)
startup_cpu_minimal=$(median_of ui-minimal cpu_ms)
startup_cpu_ratio=$(ratio "$startup_cpu_ours" "$startup_cpu_minimal")
memory_ours=$(median_of ui-ours maxrss_kb)
memory_minimal=$(median_of ui-minimal maxrss_kb)
memory_ratio=$(ratio "$memory_ours" "$memory_minimal")

responsiveness=$(grep '^responsiveness ' "$results")
gap_busy=$(field busy_gap_ms "$responsiveness")
gap_idle=$(field idle_gap_ms "$responsiveness")
gap_ratio=$(ratio "$gap_busy" "$gap_idle")

# Microseconds per file at each size, of wall-clock and of processor time. A
# linear removal keeps the time per file; the growth is the time per file at the
# largest size over that at the smallest (n log n would give 1.67 from 1,000 to
# 100,000 files, n squared 100).
per_file() { # milliseconds files
    awk -v t="$1" -v n="$2" 'BEGIN { printf "%.2f", t * 1000 / n }'
}
declare -A scale_text scale_first scale_last
while read -r line; do
    files=$(field files "$line")
    for key in ours_ms rm_ms ours_cpu_ms rm_cpu_ms; do
        value=$(per_file "$(field "$key" "$line")" "$files")
        scale_text[$key]+="${scale_text[$key]:+ / }$value"
        scale_first[$key]=${scale_first[$key]:-$value}
        scale_last[$key]=$value
    done
done < <(grep '^scale ' "$results" | sort -t= -k2 -g)
declare -A scale_growth
for key in ours_ms rm_ms ours_cpu_ms rm_cpu_ms; do
    scale_growth[$key]=$(ratio "${scale_last[$key]}" "${scale_first[$key]}")
done
scale_counts=$(sed 's/,/ \/ /g' <<<"$scale_sizes")

table=$build/bench-results.md
{
    if [ "$quick" -eq 1 ]; then
        echo "Quick run (tiny sizes, one or two runs): it shows the benchmark works and judges nothing."
        echo
    fi
    echo "| figure | ours | baseline | ratio | goal | met |"
    echo "|---|---|---|---|---|---|"
    echo "| Removal of $(field files "$removal") files, $(field entries "$removal") entries ($large_files × $((large_size / 1024)) KiB among them) | $(fmt '%.1f ms' "$removal_ours") | rm -rf: $(fmt '%.1f ms' "$removal_rm") | $removal_ratio | ≤ 1.15 | $(judge "$removal_ratio" 1.15) |"
    echo "| … processor time of that removal (user space) | $(fmt '%.1f ms' "$removal_cpu_ours") ($(fmt '%.1f' "$removal_user_ours")) | rm -rf: $(fmt '%.1f ms' "$removal_cpu_rm") ($(fmt '%.1f' "$removal_user_rm")) | $removal_cpu_ratio | ≤ 1.15 | $(judge "$removal_cpu_ratio" 1.15) |"
    echo "| Start-up to the confirmation mapped (X server) | $(fmt '%.1f ms' "$startup_ours") | minimal QMessageBox: $(fmt '%.1f ms' "$startup_minimal") | $startup_ratio | ≤ 1.25 | $(judge "$startup_ratio" 1.25) |"
    echo "| … processor time used by then | $(fmt '%.1f ms' "$startup_cpu_ours") | minimal QMessageBox: $(fmt '%.1f ms' "$startup_cpu_minimal") | $startup_cpu_ratio | ≤ 1.25 | $(judge "$startup_cpu_ratio" 1.25) |"
    echo "| Peak resident size of a whole run | $(fmt '%.1f MiB' "$(awk -v k="$memory_ours" 'BEGIN { print k / 1024 }')") | minimal QMessageBox: $(fmt '%.1f MiB' "$(awk -v k="$memory_minimal" 'BEGIN { print k / 1024 }')") | $memory_ratio | ≤ 1.30 | $(judge "$memory_ratio" 1.30) |"
    echo "| Longest gap of a 10-ms GUI timer while removing $(field files "$responsiveness") files ($(fmt '%.0f ms' "$(field removal_ms "$responsiveness")")) | $(fmt '%.1f ms' "$gap_busy") | same window idle: $(fmt '%.1f ms' "$gap_idle") | $gap_ratio | ≤ 50 ms | $(judge "$gap_busy" 50) |"
    echo "| Removal time per file at $scale_counts files: growth, largest size over smallest | ${scale_text[ours_ms]} µs: ${scale_growth[ours_ms]} | rm -rf: ${scale_text[rm_ms]} µs: ${scale_growth[rm_ms]} | ${scale_growth[ours_ms]} | ≤ 1.25 | $(judge "${scale_growth[ours_ms]}" 1.25) |"
    echo "| … processor time per file | ${scale_text[ours_cpu_ms]} µs: ${scale_growth[ours_cpu_ms]} | rm -rf: ${scale_text[rm_cpu_ms]} µs: ${scale_growth[rm_cpu_ms]} | ${scale_growth[ours_cpu_ms]} | ≤ 1.25 | $(judge "${scale_growth[ours_cpu_ms]}" 1.25) |"
    echo
    echo "Medians of $runs runs (responsiveness: $responsiveness_runs; start-up and memory: $ui_runs after a warm-up), $(date -u '+%Y-%m-%d %H:%M UTC'), commit $(git -C "$src" rev-parse --short HEAD 2>/dev/null || echo unknown)."
    echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores, $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) memory, $(uname -sr), temporary directory on $(df -PT "$sandbox" | awk 'NR == 2 { print $2 }'), Qt $(pkg-config --modversion Qt5Core), Xvfb."
    echo "Load average (1, 5, 15 min): $load_before before, $load_after after."
} >"$table"

echo
cat "$table"
echo
echo "Single runs:"
cat "$log"
