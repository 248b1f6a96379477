#!/usr/bin/python3
"""Writes the import benchmark's workbook: sheet "Listado" with N certificates from row 7, laid
out as the district offices send them, written by openpyxl (a real spreadsheet library).

usage: libro_importa.py FILE.xlsx N
"""
import datetime
import sys

from openpyxl import Workbook

ruta, n = sys.argv[1], int(sys.argv[2])
libro = Workbook(write_only=True)
hoja = libro.create_sheet("Listado")
hoja.append(["REGISTRO DE VACUNACIONES"])
hoja.append(["Ciclo", 20])
for _ in range(3):
    hoja.append([])
hoja.append(["Nro", "Predio", "Paterno", "Materno", "Nombres", "Prov", "Mun", "Localidad",
             "Proveedor", "Dosis", "Laboratorio", "Serie", "Partida", "Procedencia",
             "Expiracion", "F. vacunacion", "F. certificacion", "Terneros", "Vaquillas",
             "Torillos", "Novillos", "Vacas", "Toros", "Bueyes", "Bufalos"])
base = datetime.datetime(2020, 5, 1)
for i in range(1, n + 1):
    vacuna = base + datetime.timedelta(days=i % 60)
    fila = [i, "ESTANCIA %d" % i, "PATERNO %d" % (i % 997), "MATERNO" if i % 3 else None,
            "NOMBRE %d" % (i % 311), "%02d" % (1 + i % 15), "%02d" % (1 + i % 2),
            "CENTRO %d" % (i % 40), "AAA", 100 + i % 50, "BIOGENESIS", "S%d" % (i % 9),
            "P%d" % (i % 20), "ARGENTINA", "12/2027", vacuna,
            vacuna + datetime.timedelta(days=2)]
    fila += [(i * (k + 3)) % 60 for k in range(8)]
    fila += [None] * 9 + ["V%d" % (1 + i % 50)]  # column AI: the vaccinator
    hoja.append(fila)
libro.save(ruta)
