#!/usr/bin/env python3
"""Writes lzari_reference.lzari and lzari_reference.txt beside this script.

An LZARI encoder written from the block format alone, apart from the project's own
encoder, so that the decoder test catches a change to the shared model (position
table, fill byte, halving) that a round trip through the project's encoder would not.
The text starts with blanks that match the ring's initial fill, repeats lines, and has
a literal-only stretch long enough to make the symbol model halve its frequencies.
"""
import pathlib
import struct

N, F, THRESHOLD = 4096, 60, 2
N_CHAR = 256 - THRESHOLD + F
Q1, Q2, Q3, Q4 = 0x8000, 0x10000, 0x18000, 0x20000
START = N - F  # the first text byte goes to ring slot N - F; slots before hold blanks

POSITION_CUM = [0] * (N + 1)
for i in range(N, 0, -1):
    POSITION_CUM[i - 1] = POSITION_CUM[i] + 10000 // (i + 200)


class Coder:
    def __init__(self):
        self.freq = [0] + [1] * N_CHAR  # slot 0 is a sentinel, never a symbol
        self.char_of = [0] + list(range(N_CHAR))
        self.bits, self.low, self.high, self.pending = [], 0, Q4, 0

    def cum(self, slot):  # frequency of the slots above `slot`
        return sum(self.freq[slot + 1:])

    def emit(self, bit):
        self.bits += [bit] + [1 - bit] * self.pending
        self.pending = 0

    def narrow(self, above, below, total):
        span = self.high - self.low
        self.high = self.low + span * below // total
        self.low = self.low + span * above // total
        while True:
            if self.high <= Q2:
                self.emit(0)
            elif self.low >= Q2:
                self.emit(1)
                self.low, self.high = self.low - Q2, self.high - Q2
            elif self.low >= Q1 and self.high <= Q3:
                self.pending += 1
                self.low, self.high = self.low - Q1, self.high - Q1
            else:
                break
            self.low, self.high = 2 * self.low, 2 * self.high

    def symbol(self, ch):
        slot = self.char_of.index(ch, 1)
        self.narrow(self.cum(slot), self.cum(slot - 1), self.cum(0))
        if self.cum(0) >= Q1 - 1:
            self.freq[1:] = [(f + 1) >> 1 for f in self.freq[1:]]
        top = slot
        while self.freq[top - 1] == self.freq[slot]:
            top -= 1
        self.char_of[top], self.char_of[slot] = self.char_of[slot], self.char_of[top]
        self.freq[top] += 1

    def position(self, p):
        self.narrow(POSITION_CUM[p + 1], POSITION_CUM[p], POSITION_CUM[0])

    def finish(self):
        # Two more bits name a point inside [low, high) whatever the padding after them.
        self.pending += 1
        self.emit(0 if self.low < Q1 else 1)
        self.bits += [0] * (-len(self.bits) % 8)
        return bytes(int("".join(map(str, self.bits[i:i + 8])), 2)
                     for i in range(0, len(self.bits), 8))


def encode(parts):
    """parts: (text, matches allowed). Greedy longest match, nearest first."""
    text = b"".join(t for t, _ in parts)
    seen = b" " * START + text  # what the ring has held, blanks first
    coder = Coder()
    at = 0
    for part, matches in parts:
        end = at + len(part)
        while at < end:
            here = START + at
            best, best_p = 0, 0
            for p in range(min(N, here) if matches else 0):
                n = 0
                while n < min(F, end - at) and seen[here - p - 1 + n] == seen[here + n]:
                    n += 1
                if n > best:
                    best, best_p = n, p
            if best > THRESHOLD:
                coder.symbol(255 - THRESHOLD + best)
                coder.position(best_p)
                at += best
            else:
                coder.symbol(text[at])
                at += 1
    return struct.pack("<I", len(text)) + coder.finish(), text


LINE = b"Red, green, blue, white and black: each colour fills the screen in turn.\n"
HEAD = (b"        Stuck pixels stay lit; dead pixels stay dark.\n" + LINE + LINE +
        b"abababababababab ---------------- caf\xc3\xa9 \x00\x01\xfe\xff\n" +
        b"Stuck pixels show on black, dead pixels on white.\n")
RUN = (b"." * 63 + b"\n") * 510
TAIL = b"After the long run: " + LINE + b"        Stuck pixels stay lit.\n"

if __name__ == "__main__":
    block, text = encode([(HEAD, True), (RUN, False), (TAIL, True)])
    here = pathlib.Path(__file__).parent
    (here / "lzari_reference.lzari").write_bytes(block)
    (here / "lzari_reference.txt").write_bytes(text)
