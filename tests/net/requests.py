"""Request payloads of the network services, packed with struct from the
wire description (independently of the library's own writers). Prints one
"NAME HEX" line for each; ServiceTest sends the same requests and compares.
"""
import struct

RUN = bytes([7, 8, 9])

PAYLOADS = {
    # rooms: Send119(0xA1B2C3D4), Send120(1, 0x01020304)
    "room119": struct.pack(">IB", 0xA1B2C3D4, 0),
    "room120": struct.pack(">IIB", 1, 0x01020304, 0),
    # game: Send128(1, 2, 7, RUN) writes b before a; Send135(0x01020304, 0xABCD);
    # Send137(0x11223344, 0x55667788) writes b before a
    "game128-run": struct.pack(">IIBB", 2, 1, 1, 0) + RUN,
    "game135": struct.pack(">IHB", 0x01020304, 0xABCD, 0),
    "game137": struct.pack(">IIB", 0x55667788, 0x11223344, 0),
    # statistics: Send112(0xFEDCBA98), Send116(5, RUN), Send134(1, 2, 0xFFFFFFFE, flag)
    "stat112": struct.pack(">IB", 0xFEDCBA98, 0),
    "stat116": struct.pack(">I", 5) + RUN + b"\x00",
    "stat134": struct.pack(">HIII", 0x8000, 1, 2, 0xFFFFFFFE),
    "stat134-off": struct.pack(">HIII", 0, 1, 2, 0xFFFFFFFE),
}

if __name__ == "__main__":
    for name, payload in PAYLOADS.items():
        print(name, payload.hex())
