#!/usr/bin/env bash
# The whole-process rename-drop run of Vexlo (no review dialog, prefix "x_") over COUNT folders,
# each given before the one file inside it ("nested": d0 d0/f d1 d1/f ...), timed against a run
# over as many folders and files side by side ("flat": d0 f0 d1 f1 ..., the folders empty), both
# run inside the folder with relative names. Following a renamed folder to the file inside should
# cost little, so nested/flat stays near 1. The runs of a round are interleaved and the order
# turns each round; times are medians of the rounds.
#
# The names are kept short ("d12345/f") so that 64,000 arguments stay well inside the kernel's
# limit on an argument list (ARG_MAX: a quarter of the stack limit, 2 MB with the usual 8 MB).
# The trees are made in a folder under $TMPDIR (/tmp); a folder deeper down costs more for each
# folder that is resolved whole.
#
# usage: bench/folder_follow.sh [--build DIR] [--vexlo FILE] [--before FILE] [--rounds N] [COUNT...]
#   --build DIR    a Release build holding bin/vexlo and bin/rename_drop_helper (build/release)
#   --vexlo FILE   the program to time (DIR/bin/vexlo)
#   --before FILE  an earlier build of the program, timed in the same rounds for a before/after
#   COUNT...       folder counts (16000 32000)
set -euo pipefail

build=build/release
vexlo=""
before=""
rounds=5
counts=()
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build=$2; shift 2 ;;
    --vexlo) vexlo=$2; shift 2 ;;
    --before) before=$(realpath "$2"); shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    -h | --help) sed -n '2,18p' "$0"; exit 0 ;;
    *) counts+=("$1"); shift ;;
    esac
done
[ ${#counts[@]} -gt 0 ] || counts=(16000 32000)
vexlo=$(realpath "${vexlo:-$build/bin/vexlo}")
helper=$(realpath "$build/bin/rename_drop_helper")
for tool in "$vexlo" "$helper"; do
    if [ ! -x "$tool" ]; then
        echo "missing $tool (configure $build with -DMORVANE_BENCH=ON and build vexlo and rename_drop_helper)" >&2
        exit 1
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/folder-follow-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config"
rnp="$work/prefix.rnp"
"$helper" rnp "$rnp" x_

export QT_QPA_PLATFORM=offscreen VEXLO_HOME="$work/home" VEXLO_MESSAGES=stderr
export HOME="$work" XDG_CONFIG_HOME="$work/config"

# Makes the run folder for a layout; prints nothing.
make_tree() {
    local layout=$1 count=$2 dir=$3
    rm -rf "$dir"
    mkdir "$dir"
    (
        cd "$dir"
        seq -f 'd%.0f' 0 $((count - 1)) | xargs mkdir
        case "$layout" in
        nested) seq -f 'd%.0f/f' 0 $((count - 1)) | xargs touch ;;
        flat) seq -f 'f%.0f' 0 $((count - 1)) | xargs touch ;;
        esac
    )
}

# Runs one program on a fresh tree of a layout; prints the microseconds the process took.
run_once() {
    local program=$1 layout=$2 count=$3 dir="$work/run" args status=0
    make_tree "$layout" "$count" "$dir"
    if [ "$layout" = nested ]; then args=("${nested[@]}"); else args=("${flat[@]}"); fi
    local t0 t1
    t0=$(date +%s%N)
    (cd "$dir" && "$program" "$rnp" "${args[@]}" >/dev/null 2>"$work/err") || status=$?
    t1=$(date +%s%N)
    local renamed
    if [ "$layout" = nested ]; then
        renamed=$(find "$dir" -mindepth 2 -maxdepth 2 -path '*/x_d*/x_f' | wc -l)
    else
        renamed=$(( $(find "$dir" -maxdepth 1 -name 'x_*' | wc -l) / 2 ))
    fi
    if [ "$status" -ne 0 ] || [ "$renamed" -ne "$count" ]; then
        echo "$program ($layout, $count folders): exit $status, $renamed renamed" >&2
        head -5 "$work/err" >&2
        exit 1
    fi
    echo $(( (t1 - t0) / 1000 ))
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
seconds() { awk -v us="$1" 'BEGIN { printf "%.3f s", us / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; }

programs=(after)
[ -z "$before" ] || programs+=(before)
runners=()
for p in "${programs[@]}"; do runners+=("$p:nested" "$p:flat"); done

echo "vexlo: $vexlo"
[ -z "$before" ] || echo "before: $before"
echo "rounds: $rounds, interleaved; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
if [ -z "$before" ]; then
    echo "| Folders | arguments | nested | flat | nested/flat |"
    echo "|---|---|---|---|---|"
else
    echo "| Folders | arguments | before nested | before flat | before nested/flat | after nested | after flat | after nested/flat |"
    echo "|---|---|---|---|---|---|---|---|"
fi
for count in "${counts[@]}"; do
    nested=()
    flat=()
    for ((i = 0; i < count; ++i)); do
        nested+=("d$i" "d$i/f")
        flat+=("d$i" "f$i")
    done
    declare -A times=()
    for ((round = 0; round < rounds; ++round)); do
        for ((k = 0; k < ${#runners[@]}; ++k)); do
            runner=${runners[$(((round + k) % ${#runners[@]}))]}
            program=$vexlo
            [ "${runner%%:*}" = after ] || program=$before
            us=$(run_once "$program" "${runner#*:}" "$count")
            times[$runner]+="$us "
        done
    done
    # shellcheck disable=SC2086
    {
        an=$(median ${times[after:nested]}) af=$(median ${times[after:flat]})
        if [ -n "$before" ]; then bn=$(median ${times[before:nested]}) bf=$(median ${times[before:flat]}); fi
    }
    if [ -z "$before" ]; then
        printf '| %s | %s | %s | %s | %s |\n' "$count" "$((2 * count))" "$(seconds "$an")" "$(seconds "$af")" "$(ratio "$an" "$af")"
    else
        printf '| %s | %s | %s | %s | %s | %s | %s | %s |\n' "$count" "$((2 * count))" "$(seconds "$bn")" \
            "$(seconds "$bf")" "$(ratio "$bn" "$bf")" "$(seconds "$an")" "$(seconds "$af")" "$(ratio "$an" "$af")"
    fi
    unset times
done
echo
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
