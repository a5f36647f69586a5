"""Raw-socket test peer on 127.0.0.1: reads each request frame by its own
header, checks its checksum, and answers as payload byte 0 says, in pieces
as payload byte 1 says, on the same connection until the client closes it.

    answer 0: 23 bytes: 01 09 00 05, reply id 0x10, bytes 5-17, A0-A4
           1: 4 bytes: 01 02 00 00
           2: the first 10 of the 23 bytes, then the connection closes
           3: 01 09 00 01, id 0x10, bytes 5-17, then the connection's number
           4: 6 bytes: 01 02 00 02, payload byte 2 as the reply id, 00
           5: nothing
           6: the first time a frame comes 4 header bytes of answer 4 and
              the connection closes; later the whole of answer 4
    pieces 0: all at once; 1: single bytes; 2: one byte, three, the rest

Usage: raw_peer.py KEY; prints "port N" once listening, and a line starting
"bad request" for every frame that fails the check.
"""
import socket
import socketserver
import struct
import sys
import threading
import time

import wnet

KEY = sys.argv[1].encode()
HEADER = bytes([1, 9, 0, 5, 0x10]) + bytes(range(5, 18))


class Peer(socketserver.BaseRequestHandler):
    lock = threading.Lock()
    connections = 0
    seen = set()

    def read(self, n):
        data = b""
        while len(data) < n:
            more = self.request.recv(n - len(data))
            if not more:
                raise EOFError
            data += more
        return data

    def handle(self):
        with Peer.lock:
            Peer.connections += 1
            number = Peer.connections
        self.request.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        try:
            while True:
                head = self.read(4)
                data = head + self.read(head[1] * 2 + struct.unpack(">H", head[2:4])[0] - 4)
                wrong = wnet.check_frame(data, KEY)
                if wrong:
                    print("bad request: " + wrong, flush=True)
                payload = data[data[1] * 2:] + b"\0\0\0"
                answer, pieces = payload[0], payload[1]
                short = bytes([1, 2, 0, 2, payload[2], 0])
                once = answer == 6 and data not in Peer.seen
                Peer.seen.add(data)
                reply = [HEADER + bytes(range(0xA0, 0xA5)), b"\x01\x02\x00\x00", (HEADER + bytes(5))[:10],
                         bytes([1, 9, 0, 1]) + HEADER[4:] + bytes([number]), short, b"",
                         short[:4] if once else short][answer]
                cuts = [[len(reply)], [1] * len(reply), [1, 3, len(reply)]][pieces]
                at = 0
                for cut in cuts:
                    if at < len(reply):
                        self.request.sendall(reply[at:at + cut])
                        at += cut
                        time.sleep([0, 0.005, 0.05][pieces])
                if answer == 2 or once:
                    return
        except (EOFError, ConnectionError):
            return


server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Peer)
server.daemon_threads = True
print("port %d" % server.server_address[1], flush=True)
server.serve_forever()
