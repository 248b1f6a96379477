#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the program need,
# only those that are missing, quietly.
set -euo pipefail

PAQUETES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libxkbcommon-dev
  libqt6sql6-sqlite libqt6sql6-odbc unixodbc-dev tdsodbc libsqlite3-dev sqlite3
  libcurl4-openssl-dev libquazip1-qt6-dev libfreexl-dev
  libssl3 libssl-dev openssl qt6-translations-l10n
  fonts-liberation xvfb xauth imagemagick poppler-utils
  python3 python3-aiosmtpd python3-pymssql freetds-bin
)

faltan=()
for p in "${PAQUETES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    faltan+=("$p")
  fi
done
[ ${#faltan[@]} -eq 0 ] && exit 0

echo "Instalando paquetes que faltan: ${faltan[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
