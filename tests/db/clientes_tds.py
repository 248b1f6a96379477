#!/usr/bin/env python3
"""A client no one here wrote (pymssql, on FreeTDS's DB-Library) runs a fixed script against
the TDS test server and prints one line per step, for the test to compare."""
import sys
import threading

import pymssql

puerto, usuario, clave = int(sys.argv[1]), sys.argv[2], sys.argv[3]


def conecta(base="Moravel", **extra):
    return pymssql.connect(server="127.0.0.1", port=puerto, user=usuario, password=clave,
                           database=base, tds_version="7.3", login_timeout=10, charset="UTF-8",
                           **extra)


def uno(cur, sql, *valores):
    cur.execute(sql, valores or None)
    return cur.fetchone()[0]


def error(cur, sql):
    try:
        cur.execute(sql)
        cur.fetchall()
    except pymssql.Error as e:
        return e.args[0]
    return "sin error"


con = conecta()
cur = con.cursor()
print("acentos", uno(cur, "SELECT NombreProvincia FROM Provincias WHERE IdDistrital = 'SCZ' "
                       "AND IdProvincia = '01'"))
print("nulo", uno(cur, "SELECT NULL"))
print("fecha sin formato", uno(cur, "SELECT CAST('03/04/2024' AS DATETIME)").date())
cur.execute("SET DATEFORMAT dmy")
print("fecha dmy", uno(cur, "SELECT CAST('03/04/2024' AS DATETIME)").date())
print("fecha iso", uno(cur, "SELECT CAST('20260101 10:30' AS DATETIME)"))
print("tipos", [type(v).__name__ for v in
                (lambda c: (c.execute("SELECT CAST('2026-01-02' AS DATE), CAST(1 AS BIT), "
                                      "CAST(2.5 AS DECIMAL(5, 2))"), c.fetchone())[1])(cur)])
print("parametro", uno(cur, "SELECT NombreDistrital FROM Distritales WHERE IdDistrital = %s",
                       "SCZ"))
# A transaction: pymssql keeps one open; the insert is rolled back.
cur.execute("INSERT INTO Foros (IdPregunta, Pregunta, Categoria, PreguntadaPor, FechaPregunta) "
            "VALUES (90, 'p', 'A', 'x', GETDATE())")
con.rollback()
print("transaccion", uno(cur, "SELECT COUNT(*) FROM Foros WHERE IdPregunta = 90"))
print("lote", uno(cur, "SET NOCOUNT ON\nSELECT COUNT(*) FROM Distritales"))
print("trancount", uno(cur, "SELECT @@TRANCOUNT"))
for nombre, sql in (("objeto", "SELECT * FROM NoExiste"),
                    ("columna", "SELECT NoExiste FROM Distritales"),
                    ("sintaxis", "SELECT 'a' || 'b'"),
                    ("funcion", "SELECT IFNULL(1, 2)"),
                    ("raiserror", "RAISERROR('falla %s', 16, 1, 'x')"),
                    ("base", "USE OtraBase")):
    print("error", nombre, error(cur, sql))
con.close()

# A cancel: a statement that would run for minutes, cancelled from another thread; the
# connection answers the next statement.
con = conecta(autocommit=True)
cur = con.cursor()
temporizador = threading.Timer(1.0, con._conn.cancel)
temporizador.start()
larga = error(cur, "SELECT COUNT(*) FROM Foros a, Foros b, Foros c, Foros d")
temporizador.cancel()
print("cancelada", "sin error" if larga == "sin error" else "con error")
print("tras cancelar", uno(cur, "SELECT COUNT(*) FROM Distritales"))
con.close()

try:
    conecta("OtraBase")
    print("base inexistente", "entró")
except pymssql.Error as e:
    # The server says 4060 and then 18456; DB-Library keeps the last.
    print("base inexistente", e.args[0][0])
