"""Reply bodies of the network services, packed with struct from the wire
description (independently of the library's own writers). Each entry is
the reply id and the body; reply_frame() puts an 18-byte header before it.
"""
import struct


def text(s):
    data = s.encode("utf-8")
    return struct.pack(">H", len(data)) + data


def run(data):
    return struct.pack(">H", len(data)) + data


def board(mode, entries):
    return struct.pack(">BB", mode, len(entries)) + b"".join(struct.pack(">i", s) + text(n) for s, n in entries)


MIN, MAX = -2**31, 2**31 - 1

BODIES = {
    # high scores: two boards of mode 5 (the first wins), one of 0x85
    "hs87": (87, struct.pack(">B", 3) + board(5, [(900, "ann"), (500, ""), (MIN, ""), (MIN, "")])
             + board(0x85, [(610, "bo"), (MAX, "")]) + board(5, [(1, "late")])),
    "hs87-none": (87, b"\x00"),
    "hs87-short": (87, struct.pack(">BBB", 1, 5, 2) + struct.pack(">i", 7)),
    "hs80": (80, b""),
    "hs80-byte": (80, b"\x01"),
    # rooms
    "room117": (117, struct.pack(">IH", 0x01020304, 2) + struct.pack(">IHH", 5, 6, 7)
                + struct.pack(">IHH", 8, 9, 10) + b"\x00"),
    "room117-empty": (117, struct.pack(">IH", 9, 0) + b"\x00"),
    "room118": (118, struct.pack(">IBBB", 77, 0x42, 3, 0)),
    "room119": (119, struct.pack(">H", 2) + struct.pack(">I", 1) + text("") + struct.pack(">I", 2) + text("h\u00e9")
                + b"\x00"),
    "room120": (120, b"\x03\x00"),
    "room121": (121, struct.pack(">IHB", 12, 13, 0)),
    "room-other": (50, b"\x09\x08\x07"),
    "room118-spare": (118, struct.pack(">IBBBB", 77, 0x42, 3, 0, 0)),
    # game
    "game128": (128, struct.pack(">BBI", 1, 2, 3) + b"abc" + b"\x00"),
    "game128-closing": (128, struct.pack(">BBI", 1, 2, 3) + b"\x00"),
    "game128-open": (128, struct.pack(">BBI", 1, 2, 3)),
    "game131": (131, b"\x03\x00"),
    "game135": (135, struct.pack(">H", 1) + struct.pack(">IHI", 4, 0x8002, 5) + run(b"xy") + run(b"") + b"\x00"),
    "game136": (136, struct.pack(">H", 0x5000) + run(b"p") + run(b"qq")),
    "game137": (137, struct.pack(">H", 0x3000) + run(b"") + run(b"r")),
    "game136-spare": (136, struct.pack(">H", 0x1000) + run(b"") + run(b"") + b"\x00"),
    # statistics
    "stat112": (112, b"\x01\x02\x03"),
    "stat113": (113, b"\x01"),
    "stat114": (114, struct.pack(">I", 0xDEADBEEF)),
    "stat115": (115, b""),
    "stat133": (133, struct.pack(">IBB", 6, 0, 1) + struct.pack(">IH", 7, 0x8000) + run(b"s") + run(b"tt")),
    "stat133-empty": (133, struct.pack(">IBB", 6, 0, 0)),
    # resources: items of type, id, length, a dropped byte, data
    "res-default": (1, struct.pack(">BBHB", 255, 0, 12, 0) + bytes(range(12))),
    "res-two": (1, struct.pack(">BBHB", 7, 3, 2, 0) + b"ab" + struct.pack(">BBHB", 7, 9, 0, 0)),
    "res-one": (1, struct.pack(">BBHB", 7, 3, 2, 0) + b"ab"),
    "res-three": (1, struct.pack(">BBHB", 7, 3, 2, 0) + b"ab" + struct.pack(">BBHB", 7, 9, 0, 0)
                  + struct.pack(">BBHB", 7, 1, 0, 0)),
}


def reply_frame(name):
    reply_id, body = BODIES[name]
    return struct.pack(">BBHB", 1, 9, len(body), reply_id) + bytes(range(5, 18)) + body


if __name__ == "__main__":
    import sys
    # replies.py NAME FILE: writes the reply NAME, header included.
    with open(sys.argv[2], "wb") as out:
        out.write(reply_frame(sys.argv[1]))
