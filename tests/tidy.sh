#!/usr/bin/env bash
# clang-tidy's checks (.clang-tidy) over every source of src/ and sim/, run
# as a test: tidy.sh CHECKOUT BUILD HEADER_FILTER.
#
# Each folder is checked as one translation unit, its sources one after the
# other: Qt's headers are then parsed and matched once a folder instead of
# once a file, which took most of the time. A finding is told at its own
# file and line. The analyzer sees the calls between the files of a folder
# too, as it would in one file.
set -u
root=${1:?the checkout}
build=${2:?the build folder}
filter=${3:?the header filter}
work=$build/tidy
rm -rf "$work"
mkdir -p "$work"

# The build's commands less GCC's precompiled header, which clang cannot read,
# and less the sanitizers, which only slow the checks down by a half.
sed -E 's# -Winvalid-pch -include [^ ]*cmake_pch\.hxx##g; s# -f(no-)?sanitize(-recover)?=[^ ]*##g' "$build/compile_commands.json" >"$work/members.json"

# The command the build compiles a source of `target` with (as JSON text),
# then the file it names: the first of its sources listed, or the first of
# the files a unity build made of them.
command_of() {
    awk -v sources="\"file\": \"$1" -v unity="/CMakeFiles/$2.dir/Unity/" '
        /"command":/ { command = $0 }
        /"file":/ && (index($0, sources) || index($0, unity)) {
            file = $0
            sub(/^ *"file": "/, "", file); sub(/",? *$/, "", file)
            sub(/^ *"command": "/, "", command); sub(/",? *$/, "", command)
            print command; print file; exit
        }
    ' "$work/members.json"
}

# The largest folders first, so that the last to finish is a small one.
mapfile -t folders < <(for folder in "$root"/src/*/ "$root"/sim/; do
    echo "$(cat "$folder"*.cpp | wc -c) $folder"
done | sort -rn | cut -d' ' -f2-)

units=()
{
    echo "["
    separator=""
    for folder in "${folders[@]}"; do
        name=$(basename "$folder")
        target=zarvick_$name
        [ "$name" = sim ] && target=zarvick_sim_core
        unit=$work/$name.cpp
        : >"$unit"
        : >"$work/$name.map"
        for source in "$folder"*.cpp; do
            echo "$(($(wc -l <"$unit") + 1)) $source" >>"$work/$name.map"
            cat "$source" >>"$unit"
            [ -z "$(tail -c 1 "$source")" ] || echo >>"$unit"
        done
        found=$(command_of "$folder" "$target")
        command=${found%$'\n'*}
        compiled=${found##*$'\n'}
        if [ -z "$found" ]; then
            echo "tidy.sh: no source of $folder is in the build's compile commands" >&2
            exit 1
        fi
        printf '%s{"directory": "%s", "file": "%s",\n "command": "%s"}\n' "$separator" "$build" \
            "$unit" "${command/"$compiled"/$unit}"
        separator=","
        units+=("$unit")
    done
    echo "]"
} >"$work/compile_commands.json"

# Tells a finding in a folder's unit at the source and line it came from.
located() {
    awk -v unit="$1" '
        FILENAME ~ /\.map$/ { start[++n] = $1; file[n] = $2; next }
        {
            at = index($0, unit ":")
            if (at) {
                rest = substr($0, at + length(unit) + 1)
                line = rest + 0
                for (i = n; i > 1 && start[i] > line; i--) {}
                sub(/^[0-9]+/, "", rest)
                $0 = substr($0, 1, at - 1) file[i] ":" (line - start[i] + 1) rest
            }
            print
        }
    ' "${1%.cpp}.map" -
}

status=0
pids=()
for unit in "${units[@]}"; do
    (clang-tidy -quiet "--config-file=$root/.clang-tidy" -p "$work" "-header-filter=$filter" "$unit" >"$unit.out" 2>&1
     echo $? >"$unit.status") &
    pids+=($!)
    # Two at a time: the machine the tests run on has two cores.
    if ((${#pids[@]} >= 2)); then
        wait "${pids[0]}"
        pids=("${pids[@]:1}")
    fi
done
wait
for unit in "${units[@]}"; do
    if [ "$(cat "$unit.status")" != 0 ]; then
        status=1
        echo "== $(basename "$unit" .cpp)"
        grep -v ' warnings\? generated\.$' "$unit.out" | located "$unit"
    fi
done
[ $status = 0 ] && echo "clang-tidy: no findings in ${#units[@]} folders"
exit $status
