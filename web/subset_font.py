#!/usr/bin/python3
"""The course's Chinese faces for the browser, cut from the AR PL UMing face.
With no texts: every character of code page 936, the only ones the programs can load, save or
show. With texts (sources in UTF-8, the programs' files in code page 936): the characters they
hold, with ASCII and the CJK and full-width punctuation, enough for the first window.
Usage: subset_font.py <font collection> <output .ttf> [<text file>...]"""
import sys

from fontTools import subset

source, output, *texts = sys.argv[1:]
characters = {chr(c) for c in range(0x20, 0x7F)}
if texts:
    characters |= {chr(c) for c in range(0x3000, 0x3040)}  # CJK symbols and punctuation
    characters |= {chr(c) for c in range(0xFF01, 0xFF5F)}  # full-width forms
    for text in texts:
        with open(text, "rb") as f:
            data = f.read()
        try:
            characters |= set(data.decode("utf-8"))
        except UnicodeDecodeError:
            characters |= set(data.decode("gbk", errors="ignore"))
    characters = {c for c in characters if c >= " "}
else:
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            try:
                characters.add(bytes([lead, trail]).decode("gbk"))
            except UnicodeDecodeError:
                pass
options = subset.Options()
options.font_number = 0  # AR PL UMing CN, the face the desktop draws 宋体 with
options.hinting = False
options.drop_tables += ["EBDT", "EBLC", "EBSC", "BDF", "FFTM"]
font = subset.load_font(source, options)
subsetter = subset.Subsetter(options)
subsetter.populate(text="".join(sorted(characters)))
subsetter.subset(font)
subset.save_font(font, output, options)
