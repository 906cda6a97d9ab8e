#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Three rules every source file of ours keeps, checked over the source tree, and one for the documents:
# - an SPDX licence line within its first three lines (C++ sources, CMake files, shell scripts);
# - each project include names its folder from one of the two include roots: the repository root
#   ("ui/TdxButton.h", "tests/support/TestBank.h") or bank/ ("engine/TDm.h"), never bare ("TdxButton.h") nor through
#   bank/ ("bank/engine/TDm.h"). Generated files (name.moc) are exempt;
# - a file of the bank includes only from its own layer and those below it (see bank/CMakeLists.txt): the engine
#   never reaches the Jet reader, neither reaches the format choice or the drawing, and nothing in the bank reaches
#   the windows or the tool;
# - every path of the repository that docs/ARCHITECTURE.md, docs/decisions/ or CHANGELOG.md names in backquotes
#   (`bank/engine/TDm.cpp`, `bank/jet/`) exists, so that the map stays true as files move.
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

# One awk pass over all files for each rule: a process per file or per include line takes a minute on a busy machine.
while IFS= read -r file; do
    complain "$file: no SPDX-License-Identifier line"
done < <(awk 'FNR == 1 { if (NR > 1 && !ok) print name; name = FILENAME; ok = 0 }
              FNR <= 3 && /SPDX-License-Identifier: / { ok = 1 }
              END { if (NR > 0 && !ok) print name }' "${files[@]}")

declare -A headers
while IFS= read -r header; do
    headers[$header]=1
done < <(printf '%s\n' "${files[@]}" | grep '\.h$')
mapfile -t sources < <(printf '%s\n' "${files[@]}" | grep -E '\.(cpp|h)$')
while IFS=$'\t' read -r where name; do
    case "$name" in
    *.moc) ;;
    bank/*) complain "$where: \"$name\" names bank/, which is an include root" ;;
    */*) [ -n "${headers[$name]:-}" ] || [ -n "${headers[bank/$name]:-}" ] ||
        complain "$where: \"$name\" is under neither include root" ;;
    *) complain "$where: \"$name\" does not name its folder" ;;
    esac
    case "$where" in
    bank/*)
        layer=${where#bank/}
        layer=${layer%%/*}
        case "$layer:${name%%/*}" in
        rules:rules | engine:rules | engine:engine | jet:rules | jet:engine | jet:jet | formats:engine | formats:jet | formats:formats) ;;
        drawing:drawing | drawing:engine | drawing:rules) ;;
        *) complain "$where: bank/$layer may not include \"$name\"" ;;
        esac
        ;;
    esac
done < <(awk '/^[ \t]*#[ \t]*include[ \t]*"/ {
                  name = $0; sub(/^[^"]*"/, "", name); sub(/".*$/, "", name)
                  print FILENAME ":" FNR "\t" name }' "${sources[@]}")

documents=(docs/ARCHITECTURE.md CHANGELOG.md docs/decisions/*.md)
[ ${#documents[@]} -gt 2 ] && [ -f docs/ARCHITECTURE.md ] || complain "docs/ARCHITECTURE.md or docs/decisions/ missing"
named=0
while IFS=$'\t' read -r where path; do
    named=$((named + 1))
    [ -e "$path" ] || complain "$where: names $path, which does not exist"
done < <(awk '{ line = $0
               while (match(line, /`[^` ]+`/)) {
                   path = substr(line, RSTART + 1, RLENGTH - 2); line = substr(line, RSTART + RLENGTH)
                   if (path ~ /^(app|bank|bench|data|docs|packaging|screens|scripts|tests|tools|ui)\// ||
                       path ~ /^(CMakeLists\.txt|CHANGELOG\.md|LICENSE|README\.md)$/)
                       print FILENAME ":" FNR "\t" path } }' "${documents[@]}" 2>/dev/null)
[ $named -gt 20 ] || complain "only $named repository paths found in the documents"

if [ $failures -gt 0 ]; then
    echo "FAIL: $failures source rule(s) broken" >&2
    exit 1
fi
echo "${#files[@]} source files: SPDX lines, folder-qualified includes and bank layers in place; $named paths in the documents exist"
