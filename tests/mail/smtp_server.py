#!/usr/bin/env python3
"""A mail server for the tests, on 127.0.0.1 at a free port.

Prints "PORT <n>" when it listens, then serves until it is killed. Every
connection's received bytes (after decryption) are appended, as they come,
to RECORD/<n>.bin, n counting connections from 1. Options make it misbehave:
never answer, refuse HELO with a host name, refuse recipients, offer
STARTTLS or speak TLS from the start, require AUTH."""
import argparse
import asyncio
import os
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def parse():
    p = argparse.ArgumentParser()
    p.add_argument("--record", required=True, help="folder for the received bytes")
    p.add_argument("--silent", action="store_true", help="accept connections, never answer")
    p.add_argument("--refuse-helo-name", action="store_true",
                   help="answer 501 to HELO with a host name, 250 to a bare HELO")
    p.add_argument("--refuse-greeting", action="store_true", help="greet with 554")
    p.add_argument("--fail-rcpt", action="append", default=[], help="refuse this recipient")
    p.add_argument("--cert", help="certificate (PEM) for STARTTLS or TLS")
    p.add_argument("--key", help="its private key (PEM)")
    p.add_argument("--implicit-tls", action="store_true", help="TLS from the start")
    p.add_argument("--auth", help="USER:PASSWORD required before MAIL FROM")
    p.add_argument("--auth-exclude", action="append", default=[],
                   help="an AUTH mechanism not to offer (PLAIN or LOGIN)")
    return p.parse_args()


class Handler:
    def __init__(self, refused):
        self.refused = set(refused)

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.refused:
            return "550 5.1.1 No such user here"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        return "250 Message accepted"


class RecordingSMTP(SMTP):
    def __init__(self, handler, record, refuse_helo_name, refuse_greeting, **kw):
        super().__init__(handler, **kw)
        self._record = open(record, "ab", buffering=0)
        self._refuse_helo_name = refuse_helo_name
        self._refuse_greeting = refuse_greeting

    def data_received(self, data):
        self._record.write(data)
        super().data_received(data)

    async def push(self, status):
        if self._refuse_greeting and status.startswith("220 "):
            self._refuse_greeting = False
            status = "554 No service for you"
        await super().push(status)

    async def smtp_HELO(self, hostname):
        if self._refuse_helo_name:
            if hostname:
                await self.push("501 5.5.4 Host name not accepted")
                return
            hostname = "anonymous"
        await super().smtp_HELO(hostname)


class Silent(asyncio.Protocol):
    def __init__(self, record):
        self._record = open(record, "ab", buffering=0)

    def data_received(self, data):
        self._record.write(data)


async def main():
    args = parse()
    count = [0]

    def record_file():
        count[0] += 1
        return os.path.join(args.record, f"{count[0]}.bin")

    context = None
    if args.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    def authenticator(server, session, envelope, mechanism, auth_data):
        user, _, password = args.auth.partition(":")
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == user
              and auth_data.password.decode() == password)
        return AuthResult(success=ok, handled=False)

    def factory():
        if args.silent:
            return Silent(record_file())
        kw = dict(hostname="mail.test", ident="test server", timeout=30)
        if context and not args.implicit_tls:
            kw["tls_context"] = context
        if args.auth:
            kw.update(authenticator=authenticator, auth_required=True,
                      auth_require_tls=True, auth_exclude_mechanism=args.auth_exclude)
        smtp = RecordingSMTP(Handler(args.fail_rcpt), record_file(), args.refuse_helo_name,
                             args.refuse_greeting, **kw)
        if args.implicit_tls:
            # The whole connection is encrypted: AUTH may go at once.
            smtp._tls_protocol = True
        return smtp

    loop = asyncio.get_running_loop()
    server = await loop.create_server(factory, "127.0.0.1", 0,
                                      ssl=context if args.implicit_tls else None)
    print("PORT", server.sockets[0].getsockname()[1], flush=True)
    await server.serve_forever()


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
