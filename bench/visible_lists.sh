#!/usr/bin/env bash
# The windows of Vexlo on a real display (Xvfb with the openbox window manager, painting on) over a
# generated folder of COUNT files, driven through the keyboard as a user would:
#   - the first listing at start-up (the folder remembered in the settings file);
#   - re-lists, each timed beside `ls -l` of the same folder in the same round: ticking
#     "&Search Subfolders" off and on; the folder chosen again in the folder tree (its parent
#     first, then the folder, with the arrow keys and Enter); the file-type box moved to
#     "All Files" and back to "*.*" (arrow keys); a name filter typed ("f", which every name
#     holds) and emptied again (Backspace);
#   - the longest pause of the program's event loop while each of these re-lists starts, while
#     the rename window's grid fills ("&Rename") and while "&Rename Now!" renames every row
#     (suffix "_r"): the X server asks the window, one request at a time and at most one every
#     50 ms, to repaint a spot the program never paints by itself (an Expose event), and the
#     pause is the longest wait for the repaint; only the event loop answers (a progress bar
#     repainted from inside a run is no answer). A request still unanswered 2 s after the work
#     settled counts as a pause of at least its age, shown as ">= N (no answer)";
#   - peak memory (VmHWM) after the first listing, after the re-lists of "&Search Subfolders",
#     after every re-list and after the grid fill.
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
    -h | --help) sed -n '2,27p' "$0"; exit 0 ;;
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

# The folder: COUNT empty files of four types, alone in its parent folder (the one above it in
# the folder tree).
folder="$work/list/files"
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

# Puts the focus on "S&top Search" by a click (a stop with nothing to stop; the main window sits in
# the top left corner), then moves it with the keys given.
anchor() {
    xdotool mousemove 203 532 click 1 >/dev/null
    sleep 0.2
    xdotool key --delay 40 "$@" >/dev/null
}

# Blank spots (window coordinates) that the program never paints by itself, where the pauses are
# probed: the main window's menu bar right of its menus (the rename window, in the top left
# corner, leaves it uncovered), and the rename window's empty corner right of "Sort Files".
main_spot=(800 6)
renamer_spot=(195 243)

# The longest pause of round's program $pid in window $1 at the spot $2 $3 while the key $4 starts
# work: milliseconds, with "+" after them when a request got no answer; "failed" when the spot
# could not be probed (the probe says why).
pause() {
    local out
    out=$("$probe" pauses "$1" "$pid" 800 "$4" "$2" "$3") || { echo failed; return; }
    echo "${out%% *}"
}

# A filter of round's program $pid, reached from the anchor with the keys after the first five
# arguments: the re-list when key $4 changes it (relist_$2) and when key $5 puts it back
# (relist_$3), then the longest pause while $4 changes it again (pause_$1); put back after.
filter_relists() {
    local what=$1 there=$2 back=$3 change=$4 undo=$5
    shift 5
    anchor "$@"
    echo "$name relist_$there $("$probe" time root "$pid" 500 "$change")" >>"$work/results"
    echo "$name relist_$back $("$probe" time root "$pid" 500 "$undo")" >>"$work/results"
    echo "$name pause_$what $(pause "$main" "${main_spot[@]}" "$change")" >>"$work/results"
    anchor "$@"
    "$probe" time root "$pid" 500 "$undo" >/dev/null
}

# One round of one program; appends "name value" lines to $work/results.
round() {
    local name=$1 program=$2 home="$work/home-$1"
    make_folder
    settings "$home"
    local started main_peak subfolders_peak relist_peak grid_peak
    started=$(date +%s.%N)
    VEXLO_HOME="$home" "$program" >/dev/null 2>"$work/stderr-$name" &
    local pid=$!
    running=$pid
    local main
    main=$(window Morvane)
    xdotool windowmove --sync "$main" 0 0 >/dev/null 2>&1 || true
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
    # The same re-list, its pauses probed.
    echo "$name pause_relist $(pause "$main" "${main_spot[@]}" space)" >>"$work/results"
    subfolders_peak=$(peak_kib "$pid")

    # The folder chosen again in the tree, four controls back from the anchor: up to the parent
    # folder and Enter, down to the folder again and Enter.
    local folder_keys=(shift+Tab shift+Tab shift+Tab shift+Tab)
    anchor "${folder_keys[@]}"
    xdotool key Up >/dev/null
    "$probe" time root "$pid" 500 Return >/dev/null
    xdotool key Down >/dev/null
    echo "$name relist_folder $("$probe" time root "$pid" 500 Return)" >>"$work/results"
    anchor "${folder_keys[@]}"
    xdotool key Up >/dev/null
    "$probe" time root "$pid" 500 Return >/dev/null
    anchor "${folder_keys[@]}"
    xdotool key Down >/dev/null
    echo "$name pause_folder $(pause "$main" "${main_spot[@]}" Return)" >>"$work/results"

    # The file-type box, three controls on from the anchor: down to "All Files", up to "*.*".
    filter_relists type type_files type_all Down Up Tab Tab Tab
    # The name filter, the next control: "f" typed, then taken back.
    filter_relists name name_typed name_cleared f BackSpace Tab Tab Tab Tab
    relist_peak=$(peak_kib "$pid")

    # "&Rename": the rename window fills its grid with every checked row.
    xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
    echo "$name pause_grid $(pause "$main" "${main_spot[@]}" alt+r)" >>"$work/results"
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
        echo "$name pause_rename $(pause "$renamer" "${renamer_spot[@]}" alt+r)" >>"$work/results"
        echo "$name renamed $(find "$folder" -maxdepth 1 -name '*_r.*' | wc -l)" >>"$work/results"
    fi
    echo "$name peak_main $((main_peak / 1024))" >>"$work/results"
    echo "$name peak_subfolders $((subfolders_peak / 1024))" >>"$work/results"
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
# The median of pauses, a pause that got no answer ("2412+") as its lower bound: shown as
# ">= 2412 (no answer)" when the median is one (or, between two, rests on one).
pause_median() {
    sort -g | awk '$1 !~ /^[0-9]/ { failed = 1; next } { v[++n] = $1 + 0; open[n] = $1 ~ /\+$/ }
        END {
            if (failed) { print "failed"; exit }
            if (n == 0) { print "-"; exit }
            if (n % 2) { m = v[(n + 1) / 2]; o = open[(n + 1) / 2] }
            else { m = (v[n / 2] + v[n / 2 + 1]) / 2; o = open[n / 2] || open[n / 2 + 1] }
            printf o ? ">= %d (no answer)\n" : "%d\n", m
        }'
}
highest() { sort -g | tail -1; }
value() { awk -v n="$1" -v k="$2" '$1 == n && $2 == k { print $3 }' "$work/results"; }

echo "$count files, $rounds rounds (medians; memory: highest peak)"
printf '%-40s' ""
for p in "${programs[@]}"; do printf '%20s' "$p"; done
echo
row() {
    local label=$1 key=$2 how=$3
    printf '%-40s' "$label"
    for p in "${programs[@]}"; do printf '%20s' "$(value "$p" "$key" | $how)"; done
    echo
}
row "first listing at start-up (s)" first median
row "ls -l of the folder (s)" ls median
cases=(off "subfolders off" on "subfolders on" folder "folder chosen in the tree" type_files "type filter to All Files"
    type_all "type filter back to *.*" name_typed "name filter typed" name_cleared "name filter emptied")
for ((i = 0; i < ${#cases[@]}; i += 2)); do
    row "re-list, ${cases[i + 1]} (s)" "relist_${cases[i]}" median
done
for ((i = 0; i < ${#cases[@]}; i += 2)); do
    printf '%-40s' "  / ls -l, ${cases[i + 1]}"
    for p in "${programs[@]}"; do
        printf '%20s' "$(echo "scale=2; $(value "$p" "relist_${cases[i]}" | median) / $(value "$p" ls | median)" | bc -l)"
    done
    echo
done
row "longest pause, Search Subfolders (ms)" pause_relist pause_median
row "longest pause, folder chosen (ms)" pause_folder pause_median
row "longest pause, type filter (ms)" pause_type pause_median
row "longest pause, name filter (ms)" pause_name pause_median
row "longest pause, grid fill (ms)" pause_grid pause_median
row "longest pause, Rename Now! (ms)" pause_rename pause_median
row "rows renamed" renamed median
row "peak after first listing (MB)" peak_main highest
row "peak after Search Subfolders (MB)" peak_subfolders highest
row "peak after every re-list (MB)" peak_relist highest
row "peak after grid fill (MB)" peak_grid highest
row "peak at the end (MB)" peak_end highest
