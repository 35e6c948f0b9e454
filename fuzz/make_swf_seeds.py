#!/usr/bin/env python3
"""Seeds for the SWF-reading fuzz targets (swf_reader_fuzz, render_fuzz) from the corpus.

    python3 fuzz/make_swf_seeds.py CORPUS_DIR OUT_DIR [--max-bytes N]

Copies every corpus SWF file up to N bytes (default 65536) into OUT_DIR, and beside each FWS or
CWS one its ZWS form (the same body as raw LZMA1 behind the 4-byte data length and the 5
properties bytes), so that the LZMA path starts from many real movies, not only the corpus's
few ZWS files.
"""
import argparse
import hashlib
import lzma
import pathlib
import struct
import zlib


def body_of(data):
    """The uncompressed bytes after the 8-byte header of an FWS or CWS file, or None."""
    if data[:3] == b"FWS":
        return data[8:]
    if data[:3] == b"CWS":
        try:
            return zlib.decompressobj().decompress(data[8:])
        except zlib.error:
            return None
    return None


def as_zws(data, body):
    alone = lzma.compress(body, format=lzma.FORMAT_ALONE, preset=1)
    properties, packed = alone[:5], alone[13:]
    length = struct.pack("<I", 8 + len(body))
    return b"ZWS" + data[3:4] + length + struct.pack("<I", len(packed)) + properties + packed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("corpus", type=pathlib.Path)
    parser.add_argument("out", type=pathlib.Path)
    parser.add_argument("--max-bytes", type=int, default=65536)
    args = parser.parse_args()
    args.out.mkdir(parents=True, exist_ok=True)
    written = 0
    for path in sorted(args.corpus.rglob("*.swf")):
        data = path.read_bytes()
        if len(data) > args.max_bytes:
            continue
        seeds = [data]
        body = body_of(data)
        if body is not None and len(body) <= args.max_bytes * 4:
            seeds.append(as_zws(data, body))
        for seed in seeds:
            (args.out / hashlib.sha1(seed).hexdigest()).write_bytes(seed)
            written += 1
    print(f"{written} seeds in {args.out}")


if __name__ == "__main__":
    main()
