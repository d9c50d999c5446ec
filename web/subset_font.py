#!/usr/bin/python3
"""The course's Chinese face for the browser: the AR PL UMing face cut down to the characters of
code page 936, the only ones the programs can load, save or show.
Usage: subset_font.py <font collection> <output .ttf>"""
import sys

from fontTools import subset

source, output = sys.argv[1:3]
characters = {chr(c) for c in range(0x20, 0x7F)}
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
