#!/usr/bin/env bash
# Remakes the README's pictures in docs/ from a fresh demo database, under Xvfb: the main
# window, both consoles with rows, the lookup, the print dialog, the certificate form, the
# legacy console and form with the registries, and a printed guide (PDF turned into PNG).
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
bash "$RAIZ/scripts/compila.sh" >/dev/null
TEMPORAL="$(mktemp -d)"
trap 'rm -rf "$TEMPORAL"' EXIT
ADMIN="$RAIZ/build/tools/moravel-admin/moravel-admin"
"$ADMIN" demo "$TEMPORAL/Moravel.db" --guias 2000 --certificados 2000 >/dev/null
DESTINO="${1:-$RAIZ/docs}"
mkdir -p "$DESTINO"
xvfb-run -a -s "-screen 0 1400x900x24" \
  "$RAIZ/build/tools/capturas/capturas" "$TEMPORAL" operador operador2026 "$DESTINO"
xvfb-run -a -s "-screen 0 1400x900x24" \
  "$RAIZ/build/tools/capturas/capturas" "$TEMPORAL" operador operador2026 "$DESTINO" legado
rm -f "$DESTINO"/operador_veterinarios_registro.png "$DESTINO"/operador_proveedores_lista.png
pdftoppm -png -r 60 -singlefile "$DESTINO/guia.pdf" "$DESTINO/guia"
rm -f "$DESTINO/guia.pdf"
