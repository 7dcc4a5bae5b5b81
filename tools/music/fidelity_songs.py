#!/usr/bin/env python3
"""The General MIDI songs of the music fidelity benchmark, written out as
standard MIDI files:  fidelity_songs.py OUTDIR

Each song is a few bars of chords, lines and drum patterns in a small
notation, so that a reader can hear it in their head:

  "c4 e4 g4.2 r c5+e5+g5!.4"   notes (c4 is middle C), .N beats from
                               there on, a+b a chord, ! an accent, r a rest
  drum patterns: one letter a sixteenth ("k..s..k.s") from DRUMS

Only the Python standard library is used."""

import os
import struct
import sys

TPQ = 480  # ticks a quarter note

DRUMS = {"k": 36, "K": 35, "s": 38, "S": 40, "p": 39, "h": 42, "o": 46,
         "f": 44, "c": 49, "C": 57, "r": 51, "b": 53, "t": 50, "m": 47,
         "l": 43, "L": 41, "w": 56, "a": 54, "x": 37}


def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


class Song:
    def __init__(self, bpm):
        self.tracks = [[(0, 0, self.tempo_bytes(bpm))]]  # track 0: the tempo map

    @staticmethod
    def tempo_bytes(bpm):
        us = round(60_000_000 / bpm)
        return bytes([0xFF, 0x51, 3, us >> 16, (us >> 8) & 0xFF, us & 0xFF])

    def tempo(self, beat, bpm):
        self.tracks[0].append((round(beat * TPQ), 1, self.tempo_bytes(bpm)))

    def part(self, channel, program=None, volume=100, pan=64, name=None):
        """A track of its own for one channel, with its set-up at the start."""
        track = []
        if name:
            track.append((0, 0, bytes([0xFF, 0x03, len(name)]) + name.encode()))
        if program is not None:
            track.append((0, 1, bytes([0xC0 | channel, program])))
        track.append((0, 1, bytes([0xB0 | channel, 7, volume])))
        track.append((0, 1, bytes([0xB0 | channel, 10, pan])))
        self.tracks.append(track)
        return Part(track, channel)

    def write(self, path):
        chunks = []
        for track in self.tracks:
            data, last, running = b"", 0, None
            # Offs before controls before ons at one tick.
            for tick, _, msg in sorted(track, key=lambda e: (e[0], e[1])):
                if msg[0] < 0xF0 and msg[0] == running:
                    body = msg[1:]  # running status
                else:
                    body = msg
                    running = msg[0] if msg[0] < 0xF0 else None
                data += vlq(tick - last) + body
                last = tick
            data += vlq(0) + b"\xFF\x2F\x00"
            chunks.append(b"MTrk" + struct.pack(">I", len(data)) + data)
        header = b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), TPQ)
        with open(path, "wb") as f:
            f.write(header + b"".join(chunks))


class Part:
    def __init__(self, track, channel):
        self.track, self.channel = track, channel

    def at(self, beat, msg, rank=1):
        self.track.append((round(beat * TPQ), rank, bytes(msg)))

    def cc(self, beat, control, value):
        self.at(beat, [0xB0 | self.channel, control, value])

    def bend(self, beat, value):  # -8192..8191, least significant 7 bits first
        v = value + 8192
        self.at(beat, [0xE0 | self.channel, v & 0x7F, v >> 7])

    def bend_range(self, beat, semitones):
        for control, value in ((101, 0), (100, 0), (6, semitones), (38, 0), (101, 127), (100, 127)):
            self.cc(beat, control, value)

    def note(self, beat, key, beats, velocity, gate=0.95):
        self.at(beat, [0x90 | self.channel, key, velocity], 2)
        self.at(beat + beats * gate, [0x80 | self.channel, key, 64], 0)

    def line(self, beat, text, velocity=90, gate=0.95):
        """Notes in the notation above, from `beat`; returns the beat after."""
        length = 1.0
        for token in text.split():
            name, _, dur = token.partition(".")
            if dur:
                length = float(dur)
            accent = name.endswith("!")
            name = name.rstrip("!")
            if name != "r":
                for n in name.split("+"):
                    self.note(beat, key(n), length, min(127, velocity + 20 * accent), gate)
            beat += length
        return beat

    def drums(self, beat, pattern, velocity=100):
        """One letter a sixteenth; upper-case letters of DRUMS as they are."""
        for i, ch in enumerate(pattern.replace(" ", "")):
            if ch in DRUMS:
                accent = 12 if i % 4 == 0 else 0
                self.note(beat + i / 4, DRUMS[ch], 0.25, min(127, velocity + accent))


def key(name):
    steps = {"c": 0, "d": 2, "e": 4, "f": 5, "g": 7, "a": 9, "b": 11}
    n = steps[name[0]]
    i = 1
    while name[i] in "#b":
        n += 1 if name[i] == "#" else -1
        i += 1
    return n + 12 * (int(name[i:]) + 1)


def chord_tones(name):
    """"Cm", "Ab", "G7", "Fm7", "Dm7b5", "Bb", "Gsus": root (octave 3) and tones."""
    root = key(name[0].lower() + ("b" if name[1:2] == "b" else "#" if name[1:2] == "#" else "") + "3")
    rest = name[1:].lstrip("b#")
    kinds = {"": [0, 4, 7], "m": [0, 3, 7], "7": [0, 4, 7, 10], "m7": [0, 3, 7, 10],
             "maj7": [0, 4, 7, 11], "m7b5": [0, 3, 6, 10], "sus": [0, 5, 7]}
    return root, [root + i for i in kinds[rest]]


# --- piano with pedal: a slow nocturne, the pedal changed with each chord,
# a ritardando at the end ---------------------------------------------------
def piano_pedal():
    s = Song(72)
    lh = s.part(0, 0, 100, 64, "left hand")  # both hands on one channel: one pedal
    rh = s.part(0, None, 100, 64, "right hand")
    chords = "Cm Ab Fm G7 Cm Eb Bb G Ab Fm Dm7b5 G7 Cm Fm G7 Cm".split()
    for bar, name in enumerate(chords):
        b = bar * 4
        root, tones = chord_tones(name)
        lh.cc(b + 0.05, 64, 0)   # pedal up just after the new bass note...
        lh.cc(b + 0.15, 64, 127)  # ...and down again: legato pedalling
        pattern = [root - 12, root - 5, tones[1], tones[2], root + 12, tones[2], tones[1], root - 5]
        for i, n in enumerate(pattern):
            lh.note(b + i * 0.5, n, 0.45, 62 + (12 if i == 0 else 0))
    melody = [
        "g4.1.5 ab4.0.5 g4.1 f4", "eb4.2 c4.1 eb4", "f4.1.5 g4.0.5 ab4.1 c5", "b4.3 g4.1",
        "c5.1.5 d5.0.5 eb5.1 g5", "g5.2 f5.1 eb5", "d5.1.5 c5.0.5 bb4.1 d5", "b4.3 r.1",
        "c5.1 eb5 ab5.2", "ab5.1 g5 f5 c5", "ab4.1.5 g4.0.5 f4.1 ab4", "g4.2 f4.1 d4",
        "eb4.1 g4 c5.2", "c5.1 ab4 f4 ab4", "g4.2 d5.1 b4", "c5.4",
    ]
    for bar, text in enumerate(melody):
        rh.line(bar * 4, text, 84 - (bar % 4) * 4)
    lh.cc(64, 64, 0)
    for beat, bpm in ((56, 66), (58, 60), (60, 52), (62, 44)):
        s.tempo(beat, bpm)
    return s


# --- strings: an ensemble pad, a violin line with vibrato, cellos, a harp
# and pizzicato, swelling by expression --------------------------------------
def strings():
    s = Song(66)
    pad = s.part(0, 48, 92, 64, "strings")
    violin = s.part(1, 40, 104, 80, "violin")
    cello = s.part(2, 42, 100, 40, "cellos")
    harp = s.part(3, 46, 90, 96, "harp")
    pizz = s.part(4, 45, 96, 30, "pizzicato")
    chords = "Dm Bb F C Gm Dm A7 Dm Bb F Gm A7 Dm Gm A7 Dm".split()
    for bar, name in enumerate(chords):
        b = bar * 4
        root, tones = chord_tones(name)
        for t in tones[1:]:
            pad.note(b, t + 12, 4, 70, 1.0)
        cello.note(b, root - 12, 2, 80)
        cello.note(b + 2, root - 5, 2, 74)
        for i in range(8):
            harp.note(b + i * 0.5, tones[i % len(tones)] + 12 * (1 + i // 4), 0.5, 58)
        if 4 <= bar < 12:
            for i in (1, 3):
                pizz.note(b + i, tones[1] + 12, 0.3, 76)
        for step in range(8):  # a swell over every bar
            pad.cc(b + step * 0.5, 11, 90 + 4 * min(step, 8 - step))
    melody = [
        "a4.2 d5.1 f5", "f5.2 e5.1 d5", "c5.2 f5.1 a5", "g5.3 r.1",
        "bb4.2 d5.1 g5", "f5.2 e5.1 d5", "e5.1 c#5 a4 c#5", "d5.3 r.1",
        "d5.1 f5 bb5.2", "a5.2 f5.1 c5", "bb4.1 d5 g5 f5", "e5.3 a4.1",
        "d5.1.5 e5.0.5 f5.1 a5", "g5.1 bb5 d5 g5", "f5.1 e5 c#5 e5", "d5.4",
    ]
    for bar, text in enumerate(melody):
        violin.line(bar * 4, text, 92)
        violin.cc(bar * 4 + 1, 1, 40 + (bar % 4) * 12)
    return s


# --- brass and winds: a chorale for trumpets, horns, trombones and tuba,
# then a march with flute, oboe, clarinet and bassoon -----------------------
def brass_winds():
    s = Song(96)
    trumpet = s.part(0, 56, 100, 70, "trumpet")
    horn = s.part(1, 60, 96, 50, "french horn")
    trombone = s.part(2, 57, 96, 40, "trombone")
    tuba = s.part(3, 58, 100, 64, "tuba")
    flute = s.part(4, 73, 96, 90, "flute")
    oboe = s.part(5, 68, 92, 76, "oboe")
    clarinet = s.part(6, 71, 92, 56, "clarinet")
    bassoon = s.part(7, 70, 96, 44, "bassoon")
    chords = "Bb Eb F Bb Gm Cm F7 Bb Eb Bb Cm F Bb Eb F7 Bb".split()
    for bar, name in enumerate(chords):
        b = bar * 4
        root, tones = chord_tones(name)
        if bar < 8:  # the chorale: held chords
            horn.note(b, tones[1] + 12, 4, 76, 0.98)
            trombone.note(b, tones[2], 4, 74, 0.98)
            tuba.note(b, root - 12, 4, 82, 0.98)
        else:  # the march: oom-pah
            for i in range(4):
                tuba.note(b + i, root - 12 if i % 2 == 0 else root - 5, 0.5, 86)
                trombone.note(b + i + 0.5, tones[1], 0.4, 70)
                horn.note(b + i + 0.5, tones[2] + 12, 0.4, 66)
            bassoon.note(b, root, 1.5, 80)
            bassoon.note(b + 2, tones[2] - 12, 1.5, 76)
            clarinet.line(b, "f4.1 d4 bb4 f4", 70)
    trumpet.line(0, "bb4.2 d5.1 f5 g5.2 eb5 c5.1 d5 eb5 f5 d5.4 "
                    "d5.2 bb4.1 g4 g4.1 a4 bb4 c5 c5.2 a4 bb4.4", 92)
    flute.line(32, "d6.0.5 c6 bb5 c6 d6.1 f6 g6.0.5 f6 eb6 d6 c6.1 eb6 "
                   "eb6.0.5 d6 c6 d6 eb6.1 g6 f6.2 c6 "
                   "d6.0.5 c6 bb5 c6 d6.1 f6 g6.0.5 f6 eb6 d6 c6.1 a5 bb5.4", 86)
    oboe.line(32, "f5.2 f5 eb5.2 eb5 g5.2 f5 f5.4 "
                  "f5.2 f5 g5.2 eb5 c5.2 a4 bb4.4", 80)
    return s


# --- a drum kit with a bass: a funk groove, fills and cymbals ---------------
def drums_bass():
    s = Song(108)
    kit = s.part(9, None, 110, 64, "drums")
    bass = s.part(1, 33, 104, 64, "bass")
    groove = ("k.h.s.hkh.k.s.h.", "k.h.s.h.hk.ks.o.")
    for bar in range(16):
        b = bar * 4
        kit.drums(b, groove[bar % 2], 96)
        kit.drums(b, "f...f...f...f...", 70)
        if bar % 4 == 0:
            kit.drums(b, "c...............", 100)
        if bar % 4 == 3:
            kit.drums(b + 2, "tttmmmll", 100)
        if bar >= 8:
            kit.drums(b, "..a...a...a...a.", 80)
            kit.drums(b, "w.......w.......", 70)
    riffs = ["e2.0.75 e2.0.25 r.0.5 g2.0.5 a2.0.5 r.0.5 e3.0.5 d3.0.5",
             "e2.0.75 e2.0.25 r.0.5 b1.0.5 d2.0.5 r.0.5 e2.0.5 g2.0.5",
             "a1.0.75 a1.0.25 r.0.5 c2.0.5 d2.0.5 r.0.5 a2.0.5 g2.0.5",
             "b1.0.75 b1.0.25 r.0.5 d#2.0.5 f#2.0.5 r.0.5 b2.0.5 a2.0.5"]
    for bar in range(16):
        bass.line(bar * 4, riffs[(bar // 2) % 4], 96, 0.9)
    return s


# --- a full arrangement: drums, bass, piano, electric piano, guitar,
# strings, a brass section and a saw lead with slides (bend range 12) -------
def full_band():
    s = Song(118)
    kit = s.part(9, None, 100, 64, "drums")
    bass = s.part(1, 34, 100, 64, "bass")
    piano = s.part(2, 0, 96, 44, "piano")
    ep = s.part(3, 4, 88, 84, "electric piano")
    guitar = s.part(4, 27, 82, 100, "guitar")
    pad = s.part(5, 49, 76, 30, "strings")
    brass = s.part(6, 61, 92, 70, "brass")
    lead = s.part(7, 81, 88, 64, "lead")
    lead.bend_range(0, 12)
    chords = "C Am F G C Am Dm G F G Em Am F G C C Am F C G Am F G C".split()
    for bar, name in enumerate(chords):
        b = bar * 4
        root, tones = chord_tones(name)
        kit.drums(b, "k.h.s.h.k.hks.h." if bar % 8 != 7 else "k.h.s.h.s.ttmmll", 100)
        if bar % 8 == 0:
            kit.drums(b, "c...............", 104)
        for i in range(4):
            bass.note(b + i, root - 12 if i != 3 else root - 5, 0.8, 96)
        for i in (0, 1.5, 2.5):
            piano.note(b + i, tones[1] + 12, 0.9, 70)
            piano.note(b + i, tones[2] + 12, 0.9, 66)
            piano.note(b + i, root + 24, 0.9, 66)
        ep.note(b + 0.5, tones[1] + 12, 1, 60)
        ep.note(b + 2.5, tones[2] + 12, 1, 60)
        for i in range(8):
            guitar.note(b + i * 0.5, tones[i % len(tones)] + 12, 0.45, 64)
        for t in tones:
            pad.note(b, t + 12, 4, 64, 1.0)
        pad.cc(b, 1, 30)
        if bar >= 8 and bar % 2 == 1:
            for t in tones:
                brass.note(b + 3.5, t + 12, 0.4, 90)
    verse = ["e5.1 g5 c6.2", "a5.1.5 g5.0.5 e5.2", "f5.1 a5 c6 a5", "g5.3 r.1"]
    for rep in range(2):
        for i, text in enumerate(verse):
            lead.line((8 + rep * 4 + i) * 4, text, 96)
    for beat in (35, 51):  # slides up into the next phrase
        for step in range(9):
            lead.bend(beat + step * 0.1, -8192 + step * 1024)
        lead.bend(beat + 1, 0)
    lead.line(64, "c6.2 d6.1 e6 g6.4 e6.1 d6 c6 a5 g5.4", 100)
    lead.bend(76, 0)
    return s


SONGS = {"piano_pedal": piano_pedal, "strings": strings, "brass_winds": brass_winds,
         "drums_bass": drums_bass, "full_band": full_band}

if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: fidelity_songs.py OUTDIR")
    os.makedirs(sys.argv[1], exist_ok=True)
    for name, make in SONGS.items():
        make().write(os.path.join(sys.argv[1], name + ".mid"))
        print(name + ".mid")
