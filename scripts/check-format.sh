#!/usr/bin/env bash
# Fails when a C++ file of the project is not laid out as .clang-format says;
# `bash scripts/check-format.sh --fix` rewrites them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
format="$(command -v clang-format-14 || command -v clang-format)"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    "$format" -i "${files[@]}"
else
    "$format" --dry-run --Werror "${files[@]}"
    echo "format: ${#files[@]} files as .clang-format says"
fi
