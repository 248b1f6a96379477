#!/usr/bin/env bash
# Installs what is missing, configures and builds into build/.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
bash "$RAIZ/scripts/dependencias.sh"
cmake -S "$RAIZ" -B "$RAIZ/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$RAIZ/build" -j"$(nproc)"
