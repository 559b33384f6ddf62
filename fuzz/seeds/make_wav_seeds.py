#!/usr/bin/python3
"""Makes the seed files of the WAV reader's fuzz target: short WAV files in the
shapes the reader takes (8-bit mono at the voice rate, 16-bit stereo, 32-bit
float, the extensible format chunk, an odd-sized chunk before the data, a file cut
short in its data).

    fuzz/seeds/make_wav_seeds.py
"""
import math
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wav_reader")


def chunk(kind, body):
    pad = b"\0" if len(body) % 2 else b""
    return kind + struct.pack("<I", len(body)) + body + pad


def wav(tag, channels, rate, bits, data, extra_chunks=b"", extensible=False):
    align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 0xFFFE if extensible else tag, channels, rate, rate * align, align, bits)
    if extensible:
        guid_tail = b"\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71"
        fmt += struct.pack("<HHI", 22, bits, 0) + struct.pack("<H", tag) + guid_tail
    body = b"WAVE" + chunk(b"fmt ", fmt) + extra_chunks + chunk(b"data", data)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def tone(n, scale, offset):
    return [int(offset + scale * math.sin(2 * math.pi * 440 * i / 8000)) for i in range(n)]


def main():
    os.makedirs(HERE, exist_ok=True)
    u8 = bytes(tone(400, 100, 128))
    s16 = struct.pack("<%dh" % 400, *tone(400, 16000, 0))
    f32 = struct.pack("<%df" % 200, *[math.sin(i / 10) / 2 for i in range(200)])
    files = {
        "voice-8bit-mono.wav": wav(1, 1, 40000, 8, u8),
        "16bit-stereo-8k.wav": wav(1, 2, 8000, 16, s16),
        "float-mono.wav": wav(3, 1, 22050, 32, f32),
        "extensible-16bit.wav": wav(1, 1, 16000, 16, s16, extensible=True),
        "list-chunk-odd.wav": wav(1, 1, 40000, 8, u8, extra_chunks=chunk(b"LIST", b"INFOabc")),
        "cut-short.wav": wav(1, 1, 40000, 8, u8)[:-150],
    }
    for name, data in files.items():
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
