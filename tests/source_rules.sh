#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Two rules every source file of ours keeps, checked over the source tree:
# - an SPDX licence line within its first three lines (C++ sources, CMake files, shell scripts);
# - each project include names its folder from one of the two include roots: the repository root
#   ("ui/TdxButton.h", "tests/support/TestBank.h") or bank/ ("engine/TDm.h"), never bare ("TdxButton.h") nor through
#   bank/ ("bank/engine/TDm.h"). Generated files (name.moc) are exempt.
# Usage: source_rules.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 1
failures=0
complain() {
    echo "$*" >&2
    failures=$((failures + 1))
}

folders=(app bank bench docs packaging screens scripts tests tools ui .ci)
mapfile -t files < <(find CMakeLists.txt "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' \
    -o -name CMakeLists.txt -o -name '*.cmake' -o -name '*.cmake.in' -o -path .ci/run \) | sort)
[ ${#files[@]} -gt 100 ] || complain "only ${#files[@]} source files found under $PWD"

for file in "${files[@]}"; do
    head -n 3 "$file" | grep -q 'SPDX-License-Identifier: ' || complain "$file: no SPDX-License-Identifier line"
done

for file in "${files[@]}"; do
    case "$file" in *.cpp | *.h) ;; *) continue ;; esac
    while IFS= read -r line; do
        number=${line%%:*}
        name=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$line")
        case "$name" in
        *.moc) continue ;;
        bank/*) complain "$file:$number: \"$name\" names bank/, which is an include root" ;;
        */*)
            [ -f "$name" ] || [ -f "bank/$name" ] || complain "$file:$number: \"$name\" is under neither include root"
            ;;
        *) complain "$file:$number: \"$name\" does not name its folder" ;;
        esac
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
done

if [ $failures -gt 0 ]; then
    echo "FAIL: $failures source rule(s) broken" >&2
    exit 1
fi
echo "${#files[@]} source files: SPDX lines and folder-qualified includes in place"
