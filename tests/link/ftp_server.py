#!/usr/bin/python3
# A real FTP server on loopback for the tests: serves ROOT to the user
# admin (password wqe) with every right, keeps names as raw bytes (the unit's
# names are in its code page), refuses a wrong password without a pause and
# prints its port once it listens. An optional second argument asks for a
# port (a restarted server).
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    authorizer = DummyAuthorizer()
    authorizer.add_user("admin", "wqe", root, perm="elradfmwMT")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.unicode_errors = "surrogateescape"
    handler.passive_ports = None
    handler.masquerade_address = None
    # A refused login is answered at once, not after the usual pause.
    handler.auth_failed_timeout = 0
    logging.basicConfig(level=logging.CRITICAL)
    server = FTPServer(("127.0.0.1", port), handler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
