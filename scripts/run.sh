#!/usr/bin/env bash
# Installs what is missing, builds QUILL and starts it (optionally on a file).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
file=()
if [ $# -gt 0 ]; then
    file=("$(realpath -m "$1")")
fi
bash "$here/setup.sh"
bash "$here/build.sh"
exec "$here/../build/quill" "${file[@]}"
