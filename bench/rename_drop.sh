#!/usr/bin/env bash
# The whole-process rename-drop run of Vexlo (no review dialog, prefix "x_") timed against perl
# rename (file-rename from the Debian package "rename") and a bare rename(2) loop, on fresh folders
# of COUNT empty files, each run inside the folder with relative names. The runs of a round are
# interleaved and the order turns each round; times are medians of the rounds, peak memory is the
# highest maximum resident size /usr/bin/time reports.
#
# usage: bench/rename_drop.sh [--build DIR] [--vexlo FILE] [--before FILE] [--rounds N] [COUNT...]
#   --build DIR    a Release build holding bin/vexlo and bin/rename_drop_helper (build/release)
#   --vexlo FILE   the program to time (DIR/bin/vexlo), e.g. a copy kept from another build
#   --before FILE  an earlier build of the program, timed in the same rounds for a before/after
#   COUNT...       folder sizes (1000 10000 100000)
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
    -h | --help) sed -n '2,13p' "$0"; exit 0 ;;
    *) counts+=("$1"); shift ;;
    esac
done
[ ${#counts[@]} -gt 0 ] || counts=(1000 10000 100000)
vexlo=$(realpath "${vexlo:-$build/bin/vexlo}")
helper=$(realpath "$build/bin/rename_drop_helper")

for tool in "$vexlo" "$helper" /usr/bin/time /usr/bin/file-rename; do
    if [ ! -x "$tool" ]; then
        echo "missing $tool" >&2
        case "$tool" in
        */file-rename) echo "install the Debian package \"rename\"" >&2 ;;
        */time) echo "install the Debian package \"time\"" >&2 ;;
        */rename_drop_helper) echo "configure $build with -DMORVANE_BENCH=ON and build rename_drop_helper" >&2 ;;
        esac
        exit 1
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/rename-drop-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config"
rnp="$work/prefix.rnp"
"$helper" rnp "$rnp" x_

export QT_QPA_PLATFORM=offscreen VEXLO_HOME="$work/home" VEXLO_MESSAGES=stderr
export HOME="$work" XDG_CONFIG_HOME="$work/config"

runners=(vexlo perl loop)
befores=()
[ -z "$before" ] || runners+=(before)

# Runs one tool on a fresh folder of $count files; prints "<seconds> <peak KiB>".
run_once() {
    local tool=$1 count=$2 dir="$work/run" cmd
    rm -rf "$dir"
    mkdir "$dir"
    (cd "$dir" && "$helper" make "$count")
    case "$tool" in
    vexlo) cmd=("$vexlo" "$rnp") ;;
    before) cmd=("$before" "$rnp") ;;
    perl) cmd=(/usr/bin/file-rename 's/^/x_/') ;;
    loop) cmd=("$helper" loop x_) ;;
    esac
    local t0 t1 status=0
    t0=$(date +%s%N)
    (cd "$dir" && /usr/bin/time -f %M -o "$work/peak" "${cmd[@]}" "${names[@]}" >/dev/null 2>"$work/err") || status=$?
    t1=$(date +%s%N)
    local renamed
    renamed=$(find "$dir" -maxdepth 1 -name 'x_*' | wc -l)
    if [ "$status" -ne 0 ] || [ "$renamed" -ne "$count" ]; then
        echo "$tool on $count files: exit $status, $renamed renamed" >&2
        head -5 "$work/err" >&2
        exit 1
    fi
    echo "$(( (t1 - t0) / 1000 )) $(tail -1 "$work/peak")"
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
maximum() { printf '%s\n' "$@" | sort -n | tail -1; }
seconds() { awk -v us="$1" 'BEGIN { printf "%.3f s", us / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.0f MB", k / 1024 }'; }

echo "vexlo: $vexlo"
[ -z "$before" ] || echo "before: $before"
echo "rounds: $rounds, interleaved; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| Files | vexlo rename-drop run | perl rename | rename(2) loop | vexlo/perl | vexlo/loop | peak vexlo | peak perl | peak loop |"
echo "|---|---|---|---|---|---|---|---|---|"
for count in "${counts[@]}"; do
    mapfile -t names < <(seq -f '%06g.t' 0 $((count - 1)))
    declare -A times=() peaks=()
    for ((round = 0; round < rounds; ++round)); do
        for ((k = 0; k < ${#runners[@]}; ++k)); do
            tool=${runners[$(((round + k) % ${#runners[@]}))]}
            read -r us kib < <(run_once "$tool" "$count")
            times[$tool]+="$us "
            peaks[$tool]+="$kib "
        done
    done
    # shellcheck disable=SC2086
    {
        tv=$(median ${times[vexlo]}) tp=$(median ${times[perl]}) tl=$(median ${times[loop]})
        mv=$(maximum ${peaks[vexlo]}) mp=$(maximum ${peaks[perl]}) ml=$(maximum ${peaks[loop]})
    }
    printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$count" "$(seconds "$tv")" "$(seconds "$tp")" \
        "$(seconds "$tl")" "$(ratio "$tv" "$tp")" "$(ratio "$tv" "$tl")" "$(mib "$mv")" "$(mib "$mp")" "$(mib "$ml")"
    if [ -n "$before" ]; then
        # shellcheck disable=SC2086
        tb=$(median ${times[before]}) mb=$(maximum ${peaks[before]})
        befores+=("| $count | $(seconds "$tb") | $(seconds "$tv") | $(ratio "$tb" "$tp") | $(ratio "$tv" "$tp") | $(ratio "$tb" "$tl") | $(ratio "$tv" "$tl") | $(mib "$mb") | $(mib "$mv") |")
    fi
    unset times peaks
done
if [ -n "$before" ]; then
    echo
    echo "| Files | before | after | before/perl | after/perl | before/loop | after/loop | peak before | peak after |"
    echo "|---|---|---|---|---|---|---|---|---|"
    printf '%s\n' "${befores[@]}"
fi
echo
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
