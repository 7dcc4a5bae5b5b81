#!/usr/bin/env python3
"""subset_font.py FONT LICENCE OUT TEXT...

The page's font: FONT (IPA Gothic, Debian's fonts-ipafont-gothic) cut down
to printable ASCII and every other character that the TEXT files hold (the
page's script and the boxes' texts), written as OUT.ttf. The IPA Font
License asks a derived font to carry another name and its licence, and to
say how to put the original back: the font is renamed "ZARVEL Gothic" and
OUT.txt says the rest, with the licence text from LICENCE (Debian's
copyright file of the font).
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

NAME = "ZARVEL Gothic"


def characters(paths):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            chars |= {c for c in f.read() if ord(c) > 0x7F}
    return "".join(sorted(chars))


def rename(font):
    # family, unique id, full name, PostScript name, typographic names
    for record in font["name"].names:
        if record.nameID in (1, 3, 4, 16, 21):
            record.string = NAME
        elif record.nameID == 6:
            record.string = NAME.replace(" ", "")


def main(argv):
    if len(argv) < 5:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    source, licence, out, texts = argv[1], argv[2], argv[3], argv[4:]
    font = TTFont(source)
    options = subset.Options()
    options.hinting = False  # the browser hints by itself; half the size
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters(texts))
    subsetter.subset(font)
    rename(font)
    font.save(out + ".ttf")
    with open(licence, encoding="utf-8") as f:
        licence_text = f.read()
    with open(out + ".txt", "w", encoding="utf-8") as f:
        f.write(
            "zarvel_gothic.ttf is IPAGothic (ipag.ttf, IPA Font 003.03) cut down to the\n"
            "characters this page draws and renamed \"ZARVEL Gothic\", as the IPA Font\n"
            "License v1.0 below asks of a derived font; it is licensed under that licence.\n"
            "To put the original back: save ipag.ttf (https://moji.or.jp/ipafont/, or\n"
            "Debian's fonts-ipafont-gothic) as zarvel_gothic.ttf in this folder.\n\n"
            + licence_text
        )
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
