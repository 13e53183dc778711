#!/usr/bin/env bash
# Rules of the tree that the compiler does not check, run as a test with
# the checkout's root as argument:
# - no include under src/ climbs out of its folder with "../": the layers'
#   include views stop an upward include only when it names the layer;
# - every file a document links to or names by its path is there.
set -u
root=${1:?the checkout root}
cd "$root" || exit 1
status=0

if grep -rn --include='*.h' --include='*.cpp' '#include *"\.\./' src; then
    echo 'the includes above leave their folder: include through the layer instead ("visca/commands.h")'
    status=1
fi

for document in README.md docs/*.md; do
    folder=$(dirname "$document")
    while IFS= read -r target; do
        target=${target%%#*}
        case $target in '' | http://* | https://* | mailto:*) continue ;; esac
        [ -e "$folder/$target" ] || { echo "$document: links to $target, which is missing"; status=1; }
    done < <(grep -o '](\([^)]*\))' "$document" | sed 's/^](\(.*\))$/\1/')
    # Paths in code spans, a command's words after the first left aside;
    # patterns (tests/*.cpp) and placeholders (build-package/<…>) are no files.
    while IFS= read -r path; do
        path=${path%% *}
        case $path in *'*'* | *'<'* | *'|'*) continue ;; esac
        [ -e "$path" ] || { echo "$document: names $path, which is missing"; status=1; }
    done < <(grep -o '`\(\.ci\|tools\|docs\|src\|sim\|tests\|bench\|resources\)/[^`]*`' "$document" | tr -d '`')
done
exit $status
