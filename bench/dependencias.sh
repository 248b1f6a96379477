#!/usr/bin/env bash
# Installs what the benchmarks need beyond the build and the tests: openpyxl (writes the import
# benchmark's workbook and is its reference reader) and LibreOffice Calc (converts it to .xls
# and .ods). Only the missing packages, quietly.
set -euo pipefail
PAQUETES=(python3-openpyxl libreoffice-calc-nogui)
faltan=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
[ ${#faltan[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
