#!/usr/bin/env python3
"""Writes a benchmark set of MP3 files: python3 make_mp3_set.py FOLDER COUNT.

Half are constant-bitrate streams behind an ID3v2 tag, half variable-bitrate streams with a
Xing header (frame count, byte count, table of contents). Frames have valid MPEG-1 Layer III
headers and silent (zero) bodies, so decoders accept them. Sizes are 3 to 8 MB; files beyond
the first 40 are copies of those with a different tag. Prints the frame count of each base file.
"""
import os
import random
import struct
import sys

KBPS = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320]
RATES = {0: 44100, 1: 48000}


def header(bitrate, sampling, padding, channels=1):
    return bytes([0xFF, 0xFB, bitrate << 4 | sampling << 2 | (2 if padding else 0), channels << 6])


def frame_length(bitrate, sampling, padding):
    return 144000 * KBPS[bitrate] // RATES[sampling] + (1 if padding else 0)


def stream(bitrates, sampling):
    """Frames for a list of bitrate indexes, with the encoder's padding rule."""
    parts = []
    rest = 0
    for bitrate in bitrates:
        rest += 144000 * KBPS[bitrate] % RATES[sampling]
        padding = rest >= RATES[sampling]
        if padding:
            rest -= RATES[sampling]
        length = frame_length(bitrate, sampling, padding)
        parts.append(header(bitrate, sampling, padding) + bytes(length - 4))
    return b"".join(parts)


def xing_frame(sampling, frames, size):
    frame = bytearray(header(9, sampling, False) + bytes(frame_length(9, sampling, False) - 4))
    frame[36:40] = b"Xing"
    frame[40:44] = struct.pack(">I", 0x0F)
    frame[44:48] = struct.pack(">I", frames)
    frame[48:52] = struct.pack(">I", size)
    frame[52:152] = bytes(range(0, 250, 2)[:100])
    return bytes(frame)


def id3v2(title, padding):
    text = b"\x00" + title.encode()
    body = b"TIT2" + struct.pack(">I", len(text)) + b"\x00\x00" + text + bytes(padding)
    n = len(body)
    return b"ID3\x03\x00\x00" + bytes([n >> 21 & 127, n >> 14 & 127, n >> 7 & 127, n & 127]) + body


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    rng = random.Random(2024)
    bases = []
    for i in range(min(40, count)):
        sampling = i % 2
        target = rng.randint(3_000_000, 7_800_000)
        if i % 4 < 2:
            bitrate = rng.choice([9, 10, 11, 12, 13, 14])
            frames = target // frame_length(bitrate, sampling, False)
            audio = stream([bitrate] * frames, sampling)
            bases.append(("cbr", audio, frames))
        else:
            bitrates = []
            size = 0
            while size < target:
                bitrate = rng.choice([9, 10, 11, 12, 13, 14])
                bitrates.append(bitrate)
                size += frame_length(bitrate, sampling, False)
            audio = stream(bitrates, sampling)
            audio = xing_frame(sampling, len(bitrates), len(audio)) + audio
            bases.append(("vbr", audio, len(bitrates) + 1))
    for n in range(count):
        kind, audio, frames = bases[n % len(bases)]
        tag = id3v2(f"Track {n}", rng.randint(0, 4096)) if kind == "cbr" or n % 3 == 0 else b""
        with open(os.path.join(folder, f"{n:04d}-{kind}.mp3"), "wb") as out:
            out.write(tag + audio)
    for i, (kind, _, frames) in enumerate(bases):
        print(f"{i:04d}-{kind}.mp3\t{frames}")


if __name__ == "__main__":
    main()
