#!/usr/bin/python3
"""The import benchmark's reference: the same workbook read by openpyxl (read-only mode) and
inserted with Python's sqlite3 into the same database file, the program's server functions
loaded so that the table's collations and checks are the ones the program meets. Rows from 7
until the first empty column A, one INSERT per row, a refused row skipped, one commit.

usage: referencia_importa.py FILE.xlsx DATABASE FUNCTIONS_MODULE [leer]
Prints "ROWS SECONDS PEAK_MEGABYTES" on the last line.
"""
import datetime
import resource
import sqlite3
import sys
import time

from openpyxl import load_workbook

ruta, base, funciones = sys.argv[1], sys.argv[2], sys.argv[3]
solo_leer = len(sys.argv) > 4 and sys.argv[4] == "leer"

inicio = time.perf_counter()
bd = None
if not solo_leer:
    bd = sqlite3.connect(base)
    bd.enable_load_extension(True)
    bd.load_extension(funciones)

COLUMNAS = (["?"] * 3 + ["NULL"] * 2 + ["?"] * 4 + ["NULL"] * 2 + ["?"] * 18 + ["'-'"] +
            ["?"] * 3 + ["'-'", "?"])
SQL = "INSERT INTO Vacunaciones VALUES (%s)" % ", ".join(COLUMNAS)
hoy = datetime.date.today().strftime("%Y-%m-%d 00:00:00.000")


def texto(v):
    if v is None:
        return ""
    if isinstance(v, float) and v.is_integer():
        return str(int(v))
    return str(v).strip()


def fecha(v):
    if isinstance(v, datetime.datetime):
        return v.strftime("%Y-%m-%d %H:%M:%S.000")
    return v


libro = load_workbook(ruta, read_only=True, data_only=True)
hoja = libro["Listado"]
filas = 0
for c in hoja.iter_rows(min_row=7, values_only=True):
    c = list(c) + [None] * (35 - len(c))
    if c[0] is None or texto(c[0]) == "":
        break
    filas += 1
    if solo_leer:
        continue
    valores = ["20", c[0], texto(c[1]), "SCZ", texto(c[5]), texto(c[6]), texto(c[7]),
               texto(c[8]), texto(c[34]), c[9], texto(c[10]), texto(c[11]), texto(c[12]),
               texto(c[13]), texto(c[14]), fecha(c[15]), fecha(c[16])]
    valores += c[17:25]
    valores += [texto(c[2]), texto(c[3]), texto(c[4]), hoy]
    try:
        bd.execute(SQL, valores)
    except sqlite3.Error:
        pass
if bd is not None:
    bd.commit()
    bd.close()
print(filas, time.perf_counter() - inicio,
      resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024)
