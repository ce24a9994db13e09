#!/usr/bin/env bash
# The windows of Vexlo on a real display (Xvfb with the openbox window manager, painting on) over a
# generated folder of COUNT files, driven through the keyboard as a user would:
#   - the first listing at start-up (the folder remembered in the settings file);
#   - re-lists by ticking "&Search Subfolders" off and on, timed beside `ls -l` of the same
#     folder in the same round;
#   - the longest pause between a key and the window's next repaint, with a key sent every 50 ms,
#     while a re-list starts, while the rename window's grid fills ("&Rename") and while
#     "&Rename Now!" renames every row (suffix "_r");
#   - peak memory (VmHWM) after the first listing, after the re-lists and after the grid fill.
# Rounds interleave the programs; times and pauses are medians of the rounds, peaks the highest.
#
# usage: bench/visible_lists.sh [--build DIR] [--vexlo FILE] [--before FILE] [--rounds N]
#                               [--display :N] [COUNT]
#   --build DIR    a build holding bin/vexlo and bin/visible_lists_probe (build/release)
#   --vexlo FILE   the program to measure (DIR/bin/vexlo)
#   --before FILE  an earlier build of the program, measured in the same rounds
#   --display :N   the virtual display to use (:71)
#   COUNT          files in the folder (100000)
set -euo pipefail

build=build/release
vexlo=""
before=""
rounds=3
display=:71
count=100000
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build=$2; shift 2 ;;
    --vexlo) vexlo=$2; shift 2 ;;
    --before) before=$(realpath "$2"); shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --display) display=$2; shift 2 ;;
    -h | --help) sed -n '2,19p' "$0"; exit 0 ;;
    *) count=$1; shift ;;
    esac
done
vexlo=$(realpath "${vexlo:-$build/bin/vexlo}")
probe=$(realpath "$build/bin/visible_lists_probe")
for tool in "$vexlo" "$probe" /usr/bin/Xvfb /usr/bin/openbox /usr/bin/xdotool; do
    if [ ! -x "$tool" ]; then
        echo "missing $tool" >&2
        case "$tool" in
        */visible_lists_probe) echo "configure $build with -DMORVANE_BENCH=ON (needs libxdamage-dev, libxtst-dev) and build visible_lists_probe" >&2 ;;
        *) echo "install the Debian packages xvfb, openbox and xdotool" >&2 ;;
        esac
        exit 1
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/visible-lists-bench.XXXXXX")
pids=()
running=""
cleanup() {
    [ -z "$running" ] || kill "$running" 2>/dev/null || true
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export DISPLAY=$display
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "the display $display did not come up" >&2; exit 1; }
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdotool get_desktop >/dev/null 2>&1 && break; sleep 0.1; done

# The folder: COUNT empty files of four types.
folder="$work/files"
make_folder() {
    rm -rf "$folder"
    mkdir -p "$folder"
    (cd "$folder" && seq -f "f%07g" "$count" | awk '{ e = NR % 4; print $0 (e == 0 ? ".txt" : e == 1 ? ".jpg" : e == 2 ? ".mp3" : ".dat") }' | xargs touch)
}

export QT_QPA_PLATFORM=xcb VEXLO_MESSAGES=stderr HOME="$work" XDG_CONFIG_HOME="$work/config"

# The settings file: the folder remembered, every row checked on loading, nothing asked or shown
# after a rename.
settings() {
    local home=$1
    mkdir -p "$home"
    printf '%s\r\n' "$folder" allselected blank blank Report "" 0 0 False False "" "" "" "" 0 0 0 0 0 0 0 0 0 0 \
        >"$home/Trevalle.ini"
}

peak_kib() { awk '/^VmHWM/ { print $2 }' "/proc/$1/status"; }

# Waits for a visible window whose title is exactly $1; prints its id.
window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }

# One round of one program; appends "name value" lines to $work/results.
round() {
    local name=$1 program=$2 home="$work/home-$1"
    make_folder
    settings "$home"
    local started relist_off relist_on main_peak relist_peak grid_peak
    started=$(date +%s.%N)
    VEXLO_HOME="$home" "$program" >/dev/null 2>"$work/stderr-$name" &
    local pid=$!
    running=$pid
    local main
    main=$(window Morvane)
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
    local watched settle
    watched=$(date +%s.%N)
    settle=$("$probe" time root "$pid" 1000 -)
    echo "$name first $(echo "$watched - $started + $settle" | bc -l)" >>"$work/results"
    main_peak=$(peak_kib "$pid")

    # "&Search Subfolders" by its key (which also puts the focus on it), then the space bar.
    "$probe" time root "$pid" 500 alt+s >/dev/null
    local t
    t=$(cd "$work" && { TIMEFORMAT=%R; time ls -l "$folder" >/dev/null; } 2>&1)
    echo "$name ls $t" >>"$work/results"
    echo "$name relist_off $("$probe" time root "$pid" 500 space)" >>"$work/results"
    echo "$name relist_on $("$probe" time root "$pid" 500 space)" >>"$work/results"
    # The same re-list with a key every 50 ms (the focus goes to the next control and back).
    echo "$name pause_relist $("$probe" pauses root "$pid" 800 space Tab shift+Tab | cut -d' ' -f1)" >>"$work/results"
    relist_peak=$(peak_kib "$pid")

    # "&Rename": the rename window fills its grid with every checked row.
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
    echo "$name pause_grid $("$probe" pauses root "$pid" 800 alt+r Tab shift+Tab | cut -d' ' -f1)" >>"$work/results"
    grid_peak=$(peak_kib "$pid")
    local renamer
    renamer=$(window "Morvane - Renamer")

    # "&Rename Now!" with the "Suffix" action, the window moved to the top left corner: a click
    # on the action list's first entry, down to "Suffix" (its seventh), checked with the space
    # bar; a click into its box, "_r" typed; "&Preview", then "&Rename Now!".
    if [ -n "$renamer" ]; then
        xdotool windowmove --sync "$renamer" 0 0 >/dev/null 2>&1 || true
        xdotool windowactivate --sync "$renamer" >/dev/null 2>&1 || true
        xdotool mousemove 52 11 click 1 >/dev/null
        xdotool key --delay 30 Down Down Down Down Down Down space >/dev/null
        xdotool mousemove 355 76 click 1 >/dev/null
        xdotool type --delay 30 _r >/dev/null
        "$probe" time root "$pid" 500 alt+p >/dev/null
        echo "$name pause_rename $("$probe" pauses root "$pid" 800 alt+r Tab shift+Tab | cut -d' ' -f1)" >>"$work/results"
        echo "$name renamed $(find "$folder" -maxdepth 1 -name '*_r.*' | wc -l)" >>"$work/results"
    fi
    echo "$name peak_main $((main_peak / 1024))" >>"$work/results"
    echo "$name peak_relist $((relist_peak / 1024))" >>"$work/results"
    echo "$name peak_grid $((grid_peak / 1024))" >>"$work/results"
    echo "$name peak_end $(($(peak_kib "$pid") / 1024))" >>"$work/results"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    running=""
}

programs=(after)
[ -z "$before" ] || programs+=(before)
: >"$work/results"
for r in $(seq "$rounds"); do
    order=("${programs[@]}")
    [ $((r % 2)) -eq 0 ] && [ ${#order[@]} -gt 1 ] && order=(before after)
    for p in "${order[@]}"; do
        if [ "$p" = after ]; then round after "$vexlo"; else round before "$before"; fi
    done
    echo "round $r done" >&2
done

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
highest() { sort -g | tail -1; }
value() { awk -v n="$1" -v k="$2" '$1 == n && $2 == k { print $3 }' "$work/results"; }

echo "$count files, $rounds rounds (medians; memory: highest peak)"
printf '%-34s' ""
for p in "${programs[@]}"; do printf '%12s' "$p"; done
echo
row() {
    local label=$1 key=$2 how=$3
    printf '%-34s' "$label"
    for p in "${programs[@]}"; do printf '%12s' "$(value "$p" "$key" | $how)"; done
    echo
}
row "first listing at start-up (s)" first median
row "ls -l of the folder (s)" ls median
row "re-list, subfolders off (s)" relist_off median
row "re-list, subfolders on (s)" relist_on median
for p in "${programs[@]}"; do
    ls_s=$(value "$p" ls | median)
    off=$(value "$p" relist_off | median)
    on=$(value "$p" relist_on | median)
    printf '%-34s%s\n' "re-list / ls -l ($p)" "$(echo "scale=2; $off / $ls_s" | bc -l) $(echo "scale=2; $on / $ls_s" | bc -l)"
done
row "longest pause, re-list (ms)" pause_relist median
row "longest pause, grid fill (ms)" pause_grid median
row "longest pause, Rename Now! (ms)" pause_rename median
row "rows renamed" renamed median
row "peak after first listing (MB)" peak_main highest
row "peak after re-lists (MB)" peak_relist highest
row "peak after grid fill (MB)" peak_grid highest
row "peak at the end (MB)" peak_end highest
