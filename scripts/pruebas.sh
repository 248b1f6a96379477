#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through CTest (windows offscreen).
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
bash "$RAIZ/scripts/compila.sh"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cd "$RAIZ/build"
ctest --output-on-failure -j"$(nproc)" "$@"
