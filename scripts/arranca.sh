#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Its working folder (where it
# reads Tarvelion.ini) is build/.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
bash "$RAIZ/scripts/compila.sh"
cd "$RAIZ/build"
exec ./Tarvelion
