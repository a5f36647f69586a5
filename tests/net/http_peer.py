"""HTTP/1.1 test peer on 127.0.0.1: checks every POST it gets (request line,
Host (a name of .test and the port), User-Agent, Content-Length, Content-Type, the frame's checksum) and
answers as the path says:

    /len/N          N body bytes with a Content-Length
    /lower/N        the same with lower-case field names
    /noreason/N     the same with a status line without reason phrase
    /chunked/SEED   a chunked body: random chunk sizes 1-8192, extensions,
                    upper- and lower-case hex, a trailer
    /status/404     404 with a small body
    /silent         reads the request and never answers
    /close-header   closes inside the header
    /close-body     closes inside a Content-Length body
    /conn           "connection N": the number of the connection it came on
    /echo           the request frame itself
    /reply/ID       a 6-byte reply of that id (hex)
    /close-once     closes after the reply's header the first time a frame
                    comes, answers the same frame /reply/10 afterwards
    /service/NAME   the reply NAME of replies.py

Body bytes are random from the path. Usage: http_peer.py KEY; prints
"port N" once listening, and a line starting "bad request" for every
request that fails a check.
"""
import random
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

import replies
import wnet

KEY = sys.argv[1].encode()


def body_for(path, size):
    return random.Random(path).randbytes(size)


class Peer(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    lock = threading.Lock()
    connections = 0

    def setup(self):
        super().setup()
        with Peer.lock:
            Peer.connections += 1
            self.number = Peer.connections

    def log_message(self, *args):
        pass

    def problem(self, text):
        print("bad request %s: %s" % (self.path, text), flush=True)

    seen = set()

    def check(self):
        length = int(self.headers.get("Content-Length", "-1"))
        data = self.rfile.read(length) if length > 0 else b""
        port = self.server.server_address[1]
        if self.request_version != "HTTP/1.1":
            self.problem("version " + self.request_version)
        if not str(self.headers.get("Host")).endswith(".test:%d" % port):
            self.problem("Host " + str(self.headers.get("Host")))
        if self.headers.get("User-Agent") != "Zel Native":
            self.problem("User-Agent " + str(self.headers.get("User-Agent")))
        if self.headers.get("Content-Type") != "application/octet-stream":
            self.problem("Content-Type " + str(self.headers.get("Content-Type")))
        wrong = wnet.check_frame(data, KEY)
        if wrong:
            self.problem(wrong)
        return data

    def send(self, data):
        self.wfile.write(data)
        self.wfile.flush()

    def with_length(self, status_line, field, body):
        self.send(status_line + b"\r\n" + field + b": %d\r\nContent-Type: application/octet-stream\r\n\r\n" % len(body)
                  + body)

    def do_POST(self):
        frame = self.check()
        parts = self.path.strip("/").split("/")
        kind, arg = parts[0], parts[1] if len(parts) > 1 else ""
        if kind == "len":
            self.with_length(b"HTTP/1.1 200 OK", b"Content-Length", body_for(self.path, int(arg)))
        elif kind == "lower":
            self.with_length(b"HTTP/1.1 200 OK", b"content-length", body_for(self.path, int(arg)))
        elif kind == "noreason":
            self.with_length(b"HTTP/1.1 200", b"Content-Length", body_for(self.path, int(arg)))
        elif kind == "chunked":
            self.chunked(random.Random(int(arg)))
        elif kind == "status":
            self.with_length(b"HTTP/1.1 %d Not Found" % int(arg), b"Content-Length", b"missing")
        elif kind == "conn":
            self.with_length(b"HTTP/1.1 200 OK", b"Content-Length", b"connection %d" % self.number)
        elif kind == "echo":
            self.with_length(b"HTTP/1.1 200 OK", b"Content-Length", frame)
        elif kind == "reply":
            self.with_length(b"HTTP/1.1 200 OK", b"Content-Length", bytes([1, 2, 0, 2, int(arg, 16), 0]))
        elif kind == "service":
            self.with_length(b"HTTP/1.1 200 OK", b"Content-Length", replies.reply_frame(arg))
        elif kind == "close-once":
            if frame in Peer.seen:
                self.with_length(b"HTTP/1.1 200 OK", b"Content-Length", bytes([1, 2, 0, 2, 0x10, 0]))
            else:
                Peer.seen.add(frame)
                self.send(b"HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\n")
                self.close_connection = True
        elif kind == "silent":
            self.rfile.read(1)  # until the client goes away
            self.close_connection = True
        elif kind == "close-header":
            self.send(b"HTTP/1.1 200 OK\r\nContent-Len")
            self.close_connection = True
        elif kind == "close-body":
            self.send(b"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n" + body_for(self.path, 10))
            self.close_connection = True

    def chunked(self, rng):
        out = [b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Type: application/octet-stream\r\n\r\n"]
        for _ in range(rng.randint(1, 12)):
            size = rng.randint(1, 8192)
            line = (b"%X" if rng.random() < 0.5 else b"%x") % size
            if rng.random() < 0.3:
                line += b";ext=%d" % rng.randint(0, 99)
            out.append(line + b"\r\n" + rng.randbytes(size) + b"\r\n")
        out.append(b"0\r\nX-Trailer: done\r\n\r\n")
        self.send(b"".join(out))


server = ThreadingHTTPServer(("127.0.0.1", 0), Peer)
server.daemon_threads = True
print("port %d" % server.server_address[1], flush=True)
server.serve_forever()
