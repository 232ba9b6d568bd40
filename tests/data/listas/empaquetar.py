#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the LHA and RAR test archives of tests/data/listas/ (no free packer writes them).

Both hold one member stored without compression, the way old packers store small or
incompressible files: LHA level-0 header, method -lh0-; RAR 1.5-4.x blocks, method 0x30.
Usage: empaquetar.py MEMBER_FILE MEMBER_NAME OUT.lzh OUT.rar
"""
import binascii
import struct
import sys

FECHA_DOS = (((2008 - 1980) << 9 | 4 << 5 | 11) << 16) | (12 << 11)  # 11 April 2008, 12:00


def crc16_arc(datos):
    crc = 0
    for byte in datos:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def lha(datos, nombre):
    cuerpo = (b"-lh0-" + struct.pack("<IIIBB", len(datos), len(datos), FECHA_DOS, 0x20, 0)
              + bytes([len(nombre)]) + nombre + struct.pack("<H", crc16_arc(datos)))
    return bytes([len(cuerpo), sum(cuerpo) & 0xFF]) + cuerpo + datos + b"\x00"


def bloque_rar(tipo, banderas, resto):
    cabecera = struct.pack("<BHH", tipo, banderas, 7 + len(resto)) + resto
    return struct.pack("<H", binascii.crc32(cabecera) & 0xFFFF) + cabecera


def rar(datos, nombre):
    principal = bloque_rar(0x73, 0, struct.pack("<HI", 0, 0))
    archivo = bloque_rar(0x74, 0x8000, struct.pack(
        "<IIBIIBBHI", len(datos), len(datos), 0, binascii.crc32(datos) & 0xFFFFFFFF, FECHA_DOS,
        20, 0x30, len(nombre), 0x20) + nombre)
    fin = bloque_rar(0x7B, 0x4000, b"")
    return b"Rar!\x1a\x07\x00" + principal + archivo + datos + fin


if __name__ == "__main__":
    contenido = open(sys.argv[1], "rb").read()
    miembro = sys.argv[2].encode()
    open(sys.argv[3], "wb").write(lha(contenido, miembro))
    open(sys.argv[4], "wb").write(rar(contenido, miembro))
