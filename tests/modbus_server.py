#!/usr/bin/python3
"""Modbus TCP server on the loopback for the value-source journey test.

usage: modbus_server.py PORT MODE
"plc": pymodbus serves holding registers with one value of every variable
type and float word order (REGISTERS), and registers 100..399 holding their
own number. "garbage" answers every request with a reply to another
request, "slow" never answers, "drop" closes every connection at once.
"""
import asyncio
import socket
import struct
import sys
import threading


def float_words(value, order):
    """The two register words (register n first) of a float in a byte order."""
    b = dict(zip("ABCD", struct.pack(">f", value)))
    return [b[order[0]] << 8 | b[order[1]], b[order[2]] << 8 | b[order[3]]]


def long_words(value):
    """A 32-bit integer as the panel reads it: the low word in register n."""
    return [value & 0xFFFF, (value >> 16) & 0xFFFF]


REGISTERS = {1: [54321], 2: [-1234 & 0xFFFF], 3: long_words(123456), 5: long_words(-98765),
             7: float_words(12.345, "CDAB"), 9: float_words(-3.5, "ABCD"),
             11: float_words(0.125, "DCBA"), 13: float_words(1234.5, "BADC"), 15: [42]}
BLOCK = 400
GARBAGE = bytes([0x12, 0x34, 0xAB, 0xCD, 0x00, 0x05, 0x01, 0x03, 0x02, 0x00, 0x00])


def serve_plc(port):
    from pymodbus.datastore import ModbusSequentialDataBlock, ModbusServerContext, ModbusSlaveContext
    from pymodbus.server import StartAsyncTcpServer

    values = [n if n >= 100 else 0 for n in range(1, BLOCK + 1)]
    for n, words in REGISTERS.items():
        values[n - 1:n - 1 + len(words)] = words
    store = ModbusSlaveContext(hr=ModbusSequentialDataBlock(0, values), zero_mode=True)

    async def run():
        server = await StartAsyncTcpServer(context=ModbusServerContext(slaves=store, single=True),
                                           address=("127.0.0.1", port), defer_start=True,
                                           allow_reuse_address=True)
        await server.serve_forever()

    asyncio.run(run())


def answer(conn, mode):
    with conn:
        while conn.recv(260):
            if mode == "garbage":
                conn.sendall(GARBAGE)


def serve_broken(port, mode):
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(8)
    while True:
        conn, _ = listener.accept()
        if mode == "drop":
            conn.close()
        else:
            threading.Thread(target=answer, args=(conn, mode), daemon=True).start()


if __name__ == "__main__":
    (serve_plc if sys.argv[2] == "plc" else lambda p: serve_broken(p, sys.argv[2]))(int(sys.argv[1]))
