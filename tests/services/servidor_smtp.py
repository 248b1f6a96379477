#!/usr/bin/env python3
"""Test SMTP server on 127.0.0.1 for the support mail tests (aiosmtpd).

Writes its port to --puerto, and for every message received a JSON file in --buzon with the
envelope and the message as Python's email parser reads it. Optional: a login it requires
(--usuario/--clave), a recipient it refuses (--rechaza), STARTTLS with a certificate (--tls).
Runs until its standard input closes."""
import argparse
import email
import logging
import warnings
import email.policy
import json
import os
import socket
import ssl
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

# Login without TLS is what the tests ask for; the server's warnings about it are not news.
warnings.filterwarnings("ignore", message="Requiring AUTH")
logging.getLogger("mail.log").setLevel(logging.ERROR)

p = argparse.ArgumentParser()
p.add_argument("--puerto", required=True)
p.add_argument("--buzon", required=True)
p.add_argument("--usuario")
p.add_argument("--clave")
p.add_argument("--rechaza")
p.add_argument("--tls", nargs=2, metavar=("CERT", "CLAVE"))
a = p.parse_args()


class Buzon:
    def __init__(self):
        self.n = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if a.rechaza and address.lower() == a.rechaza.lower():
            return "550 5.1.1 Destinatario desconocido"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        m = email.message_from_bytes(envelope.original_content, policy=email.policy.default)
        self.n += 1
        datos = {
            "de": envelope.mail_from,
            "para": envelope.rcpt_tos,
            "tls": session.ssl is not None,
            "autenticado": session.authenticated,
            "cabeceras": {k: str(v) for k, v in m.items()},
            "tipo": m.get_content_type(),
            "juego": m.get_content_charset(),
            "cuerpo": m.get_content(),
        }
        ruta = os.path.join(a.buzon, "%03d.json" % self.n)
        with open(ruta + ".tmp", "w", encoding="utf-8") as f:
            json.dump(datos, f, ensure_ascii=False)
        os.replace(ruta + ".tmp", ruta)
        return "250 Mensaje aceptado"


def autentica(server, session, envelope, mechanism, auth_data):
    ok = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == a.usuario
          and auth_data.password.decode() == a.clave)
    # Not handled here: the server itself answers 535 to a refused login.
    return AuthResult(success=ok, handled=False)


s = socket.socket()
s.bind(("127.0.0.1", 0))
puerto = s.getsockname()[1]
s.close()
opciones = {}
if a.usuario:
    opciones.update(authenticator=autentica, auth_required=True, auth_require_tls=False)
if a.tls:
    contexto = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    contexto.load_cert_chain(a.tls[0], a.tls[1])
    opciones.update(tls_context=contexto)
controlador = Controller(Buzon(), hostname="127.0.0.1", port=puerto, **opciones)
controlador.start()
with open(a.puerto + ".tmp", "w") as f:
    f.write(str(puerto))
os.replace(a.puerto + ".tmp", a.puerto)
sys.stdin.read()
controlador.stop()
