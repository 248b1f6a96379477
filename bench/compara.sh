#!/usr/bin/env bash
# Runs the console benchmarks N times (default 5), each a fresh session, and prints the median
# of each first-run and later-run figure against the sqlite3 tool: one run on a shared machine
# varies too much to judge a 10 % goal. With further build folders (for example one of the
# previous version), the builds take turns in every round, so that each sees the same machine,
# and the medians are printed per build:
#   bash bench/compara.sh 5 /tmp/anterior/build build
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
VUELTAS="${1:-5}"
shift || true
BUILDS=("$@")
[ ${#BUILDS[@]} -eq 0 ] && BUILDS=("$RAIZ/build")
SALIDA="$(mktemp -d)"
trap 'rm -rf "$SALIDA"' EXIT
for ((i = 0; i < VUELTAS; i++)); do
  for ((b = 0; b < ${#BUILDS[@]}; b++)); do
    "${BUILDS[$b]}/bench/bench_vacunas" 2>/dev/null | grep 'x$' >>"$SALIDA/$b"
    "${BUILDS[$b]}/bench/bench_guias" 2>/dev/null | grep 'x$' >>"$SALIDA/$b"
  done
done
# "<what>: programa P s, sqlite3 S s, Rx" -> median of P, S and R per <what>.
for ((b = 0; b < ${#BUILDS[@]}; b++)); do
  [ ${#BUILDS[@]} -gt 1 ] && echo "== ${BUILDS[$b]}"
  awk -F': ' '
    { split($2, c, /[ ,]+/); que = $1; n[que]++
      p[que, n[que]] = c[2]; s[que, n[que]] = c[5]; r[que, n[que]] = c[7] + 0
      if (!(que in orden)) { orden[que] = ++k; nombre[k] = que } }
    function mediana(a, que, m,   i, j, t, v) {
      for (i = 1; i <= m; i++) v[i] = a[que, i] + 0
      for (i = 1; i <= m; i++) for (j = i + 1; j <= m; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
      return m % 2 ? v[(m + 1) / 2] : (v[m / 2] + v[m / 2 + 1]) / 2
    }
    END { for (i = 1; i <= k; i++) { q = nombre[i]; m = n[q]
            printf "%s: mediana de %d vueltas: programa %.2f s, sqlite3 %.2f s, %.2fx\n", q, m,
                   mediana(p, q, m), mediana(s, q, m), mediana(r, q, m) } }' "$SALIDA/$b"
done
