#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Rewrites a 7-Zip archive with a plain header into one whose header is packed with LZMA, as 7-Zip
# writes it when it compresses headers: the header's bytes follow the members' packed streams,
# and the header proper only says where they are and how they unpack.
# Usage: cabecera_lzma.py ENTRADA.7z SALIDA.7z
import lzma
import struct
import sys
import zlib


def numero(valor):
    """A 7-Zip number: the leading one bits of the first byte count the bytes that follow."""
    for extra in range(8):
        if valor < 1 << (7 * (extra + 1)):
            primero = (0xFF00 >> extra) & 0xFF | valor >> (8 * extra)
            return bytes([primero]) + valor.to_bytes(8, "little")[:extra]
    return b"\xff" + struct.pack("<Q", valor)


datos = open(sys.argv[1], "rb").read()
desplazamiento, largo = struct.unpack("<QQ", datos[12:28])
empaquetados = datos[32 : 32 + desplazamiento]
cabecera = datos[32 + desplazamiento : 32 + desplazamiento + largo]
assert cabecera[0] == 0x01, "the header is packed already"

filtro = {"id": lzma.FILTER_LZMA1, "dict_size": 1 << 16, "lc": 3, "lp": 0, "pb": 2}
compresor = lzma.LZMACompressor(format=lzma.FORMAT_RAW, filters=[filtro])
empaquetada = compresor.compress(cabecera) + compresor.flush()
# kEncodedHeader: one packed stream after the members', one folder with the LZMA coder (id 03 01
# 01, properties lc/lp/pb and the window), its unpacked size and the header's CRC.
codificada = (
    b"\x17"
    + b"\x06" + numero(len(empaquetados)) + numero(1) + b"\x09" + numero(len(empaquetada)) + b"\x00"
    + b"\x07\x0b" + numero(1) + b"\x00"
    + b"\x01\x23\x03\x01\x01\x05\x5d" + struct.pack("<I", 1 << 16)
    + b"\x0c" + numero(len(cabecera))
    + b"\x0a\x01" + struct.pack("<I", zlib.crc32(cabecera)) + b"\x00"
    + b"\x00"
)
inicio = struct.pack("<QQI", len(empaquetados) + len(empaquetada), len(codificada),
                     zlib.crc32(codificada))
with open(sys.argv[2], "wb") as salida:
    salida.write(b"7z\xbc\xaf\x27\x1c\x00\x04" + struct.pack("<I", zlib.crc32(inicio)) + inicio)
    salida.write(empaquetados + empaquetada + codificada)
