#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Lintian on the package built by package_deb: errors fail the test, warnings are listed for the log.
# Usage: lint_package.sh OUT_DIR
set -uo pipefail
out="$1"
debs=("$out"/mockexam_*.deb)
[ -f "${debs[0]}" ] || {
    echo "FAIL: no package in $out" >&2
    exit 1
}
# Lintian refuses to run as root unless told; CI runs the suite as root.
report=$(lintian --allow-root --tag-display-limit 0 --display-level ">=warning" "${debs[0]}" 2>&1)
status=$?
echo "$report"
if echo "$report" | grep -q '^E: '; then
    echo "FAIL: lintian reports errors" >&2
    exit 1
fi
[ $status -eq 0 ] || [ $status -eq 2 ] || {
    echo "FAIL: lintian ended with $status" >&2
    exit 1
}
echo "lintian: no errors"
