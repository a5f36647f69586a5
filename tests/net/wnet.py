"""Independent reference for the network tests: the keyed hash, the request
key, the frame checksum and the request frame, written from the wire
description alone, and a client of the test peers built on Python's own
http.client. Standard library only.

    wnet.py hash CASES        one "seed key-hex data-hex width" per line in
                              the file; prints each hash in hex
    wnet.py frame FIELDS KEY MESSAGE PAYLOAD EXTRA KEEP
                              prints the request frame in hex (FIELDS the
                              twelve configuration values, comma-separated;
                              PAYLOAD and EXTRA hex, "-" for none)
    wnet.py fetch PORT PATH OUT KEY
                              POSTs a valid frame to 127.0.0.1:PORT/PATH and
                              writes the decoded reply body to OUT
"""
import http.client
import struct
import sys


def _s32(v):
    v &= 0xFFFFFFFF
    return v - (1 << 32) if v & 0x80000000 else v


def hash_bytes(seed, key, data, width):
    h = _s32(seed)
    for b in (key or b"") + (data or b""):
        h = _s32(h + (b - 256 if b >= 128 else b))
        h = _s32(h + (h << 10))
        h ^= h >> 6
    h = _s32(h + (h << 3))
    h ^= h >> 11
    h = _s32(h + (h << 15))
    if width == 4:
        return h & 0xFFFFFFFF
    fold = ((h >> 16) & 0xFFFF) ^ (h & 0xFFFF)
    if width == 2:
        return fold
    return ((fold >> 8) & 0xFF) ^ (fold & 0xFF)


def request_key(numbers, key_text):
    text = "_".join(str(n) for n in numbers).encode()
    k = hash_bytes(hash_bytes(0, None, key_text, 4), None, text, 4)
    return struct.pack(">II", k, k)


def checksum(key, header, extra, payload):
    c = hash_bytes(0, key, header, 2)
    if extra:
        c = hash_bytes(c, key, extra, 2)
    if payload:
        c = hash_bytes(c, key, payload, 2)
    return c


def frame(fields, key_text, message, payload, extra=b"", keep=False):
    """fields: the twelve configuration values, field 8 unused."""
    f = list(fields) + [0] * (12 - len(fields))
    flags = (1 if keep else 0) | (4 if f[9] & 0xFF else 0) | (f[10] & 0x18) | (0x20 if f[11] & 0xFF else 0)
    header = bytearray(struct.pack(">BBHBBBBHHHHBB", 1, (18 + len(extra)) // 2, len(payload), f[1] & 0xFF,
                                   f[2] & 0xFF, f[3] & 0xFF, f[5] & 0xFF, f[4] & 0xFFFF, f[0] & 0xFFFF, 0, 0,
                                   message, flags))
    key = request_key([f[4], f[5] & 0xFF, f[1], f[2], f[0], f[3]], key_text)
    header[14:16] = struct.pack(">H", checksum(key, bytes(header), extra, payload))
    return bytes(header) + extra + payload


def check_frame(data, key_text):
    """None when the frame's length and checksum hold (fields read back from
    its header), else what is wrong."""
    if len(data) < 18 or data[0] != 1:
        return "short frame or bad version"
    header_length = data[1] * 2
    payload_length = struct.unpack(">H", data[2:4])[0]
    if header_length < 18 or header_length + payload_length != len(data):
        return "length %d does not match the header" % len(data)
    f1, f2, f3, f5, f4, f0 = struct.unpack(">BBBBHH", data[4:12])
    key = request_key([f4, f5, f1, f2, f0, f3], key_text)
    header = data[:14] + b"\0\0" + data[16:18]
    want = checksum(key, header, data[18:header_length], data[header_length:])
    got = struct.unpack(">H", data[14:16])[0]
    return None if want == got else "checksum %04x, expected %04x" % (got, want)


def main(args):
    if args[0] == "hash":
        with open(args[1]) as cases:
            for line in cases:
                seed, key, data, width = line.split()
                print("%x" % hash_bytes(int(seed, 16), bytes.fromhex(key.strip("-")),
                                        bytes.fromhex(data.strip("-")), int(width)))
    elif args[0] == "frame":
        fields = [int(v, 0) for v in args[1].split(",")]
        print(frame(fields, args[2].encode(), int(args[3], 0), bytes.fromhex(args[4].strip("-")),
                    bytes.fromhex(args[5].strip("-")), args[6] == "1").hex())
    elif args[0] == "fetch":
        port, path, out, key_text = int(args[1]), args[2], args[3], args[4].encode()
        connection = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
        connection.request("POST", path, frame([0x1234, 1, 2, 3, 0x0506, 7], key_text, 88, b"\x05"),
                           {"User-Agent": "Zel Native", "Content-Type": "application/octet-stream",
                            "Host": "peer.test:%d" % port})
        reply = connection.getresponse()
        with open(out, "wb") as body:
            body.write(reply.read())
        print("status %d" % reply.status, flush=True)


if __name__ == "__main__":
    main(sys.argv[1:])
