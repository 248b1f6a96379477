#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Its working folder (where it reads
# Tarvelion.ini and finds the embedded database Moravel.db) is build/; the demo database is
# created there when absent. Log in through the login dialog with one of the demo users.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
bash "$RAIZ/scripts/compila.sh"
cd "$RAIZ/build"
ADMIN=./tools/moravel-admin/moravel-admin
if [ ! -f Moravel.db ]; then
  "$ADMIN" demo Moravel.db
else
  "$ADMIN" usuarios-demo
fi
exec ./Tarvelion
