#!/usr/bin/python3
# A real FTP server on loopback for the tests: serves ROOT to the user
# admin (password wqe) with every right, keeps names as raw bytes (the unit's
# names are in its code page), refuses a wrong password without a pause and
# prints its port once it listens. An
# optional second argument asks for a port (a restarted server).
#
# Options make it misbehave on purpose, each for the entries of one name
# (the last part of the path a command names):
#   --stall CMD:NAME:SECONDS  answers CMD (RETR, LIST, CWD, ...) only after SECONDS
#   --endless NAME            the listing of folder NAME never ends
#   --slow NAME:SECONDS       the listing of folder NAME comes one line every SECONDS
#   --size-offset NAME:BYTES  SIZE of file NAME is told BYTES more than it holds
#                             (less: the file grew since; more: it comes up short)
#   --self-child NAME         folder NAME lists itself as its own child, at any
#                             depth (it must hold a folder NAME of its own)
import argparse
import logging
import os
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def last_part(path):
    return os.path.basename(str(path).rstrip("/"))


class EndlessListing:
    """Listing lines for ever, as fast as the client takes them."""

    def __init__(self):
        self.count = 0

    def more(self):
        lines = []
        for _ in range(1000):
            self.count += 1
            lines.append("-rw-r--r--   1 owner    group           1 Jan 01 12:00 "
                         "file%09d.csv\r\n" % self.count)
        return "".join(lines).encode()


class SlowListing:
    """The lines of a real listing, one every `interval` seconds."""

    def __init__(self, lines, interval):
        self.lines = lines
        self.interval = interval

    def more(self):
        # The server has only this client: a pause here holds nothing else up.
        time.sleep(self.interval)
        try:
            return next(self.lines)
        except StopIteration:
            return b""


def make_handler(options):
    stalls = {}
    for text in options.stall:
        cmd, name, seconds = text.split(":")
        stalls[(cmd.upper(), name)] = float(seconds)
    slow = {name: float(s) for name, s in (text.split(":") for text in options.slow)}
    offsets = {name: int(b) for name, b in (text.split(":") for text in options.size_offset)}
    self_child = set(options.self_child)

    class LoopFS(AbstractedFS):
        def ftp2fs(self, ftppath):
            # NAME/NAME/... is NAME itself.
            parts = []
            for part in self.ftpnorm(ftppath).split("/"):
                if not (parts and part == parts[-1] and part in self_child):
                    parts.append(part)
            return AbstractedFS.ftp2fs(self, "/".join(parts) or "/")

    class Handler(FTPHandler):
        abstracted_fs = LoopFS

        def push(self, s):
            # Replies name paths in their own bytes, as the unit does.
            super(FTPHandler, self).push(s.encode("utf8", "surrogateescape"))

        def process_command(self, cmd, *args, **kwargs):
            delay = stalls.get((cmd, last_part(args[0]) if args else ""))
            if delay is None:
                FTPHandler.process_command(self, cmd, *args, **kwargs)
                return
            self.ioloop.call_later(delay, self.late_command, cmd, args, kwargs,
                                   _errback=self.handle_error)

        def late_command(self, cmd, args, kwargs):
            if not self._closed:
                FTPHandler.process_command(self, cmd, *args, **kwargs)

        def ftp_LIST(self, path):
            name = last_part(path)
            if name in options.endless:
                self.push_dtp_data(EndlessListing(), isproducer=True, cmd="LIST")
                return path
            if name in slow and self.fs.isdir(path):
                lines = self.fs.format_list(path, sorted(self.fs.listdir(path)))
                self.push_dtp_data(SlowListing(lines, slow[name]), isproducer=True, cmd="LIST")
                return path
            return FTPHandler.ftp_LIST(self, path)

        def ftp_SIZE(self, path):
            name = last_part(path)
            if name in offsets and self._current_type != "a" and self.fs.isfile(path):
                self.respond("213 %d" % (self.fs.getsize(path) + offsets[name]))
                return
            FTPHandler.ftp_SIZE(self, path)

    return Handler


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("port", nargs="?", type=int, default=0)
    parser.add_argument("--stall", action="append", default=[])
    parser.add_argument("--endless", action="append", default=[])
    parser.add_argument("--slow", action="append", default=[])
    parser.add_argument("--size-offset", action="append", default=[])
    parser.add_argument("--self-child", action="append", default=[])
    options = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user("admin", "wqe", options.root, perm="elradfmwMT")
    handler = make_handler(options)
    handler.authorizer = authorizer
    handler.unicode_errors = "surrogateescape"
    handler.passive_ports = None
    handler.masquerade_address = None
    # A refused login is answered at once, not after the usual pause.
    handler.auth_failed_timeout = 0
    logging.basicConfig(level=logging.CRITICAL)
    server = FTPServer(("127.0.0.1", options.port), handler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
