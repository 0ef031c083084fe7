#!/usr/bin/python3
"""Builds iconfont.ttf: a few Material Icons glyphs under family "iconfont".

usage: makeiconfont.py <MaterialIcons-Regular.ttf> <out.ttf>
The program addresses its navigation glyphs by fixed private-use codes; each code
below is given the Material Icons glyph that suits the button it decorates.
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# program code -> Material Icons code point (icon name)
GLYPHS = {
    0xE513: 0xE570,  # train: the fallback logo
    0xEA44: 0xEF6E,  # receipt_long: record lists
    0xEA5B: 0xE7F4,  # notifications: alarms and algorithms
    0xEA59: 0xE7FB,  # people: users
    0xE6DE: 0xEBBC,  # factory: settings of the site
    0xEA43: 0xF075,  # task: part-code workbook
}

FAMILY = "iconfont"


def main(source, target):
    font = TTFont(source)
    names = font.getBestCmap()
    missing = [hex(src) for src in GLYPHS.values() if src not in names]
    if missing:
        sys.exit("glyphs missing from %s: %s" % (source, ", ".join(missing)))

    options = subset.Options()
    options.layout_features = []  # the ligatures are of no use without the names
    options.name_IDs = [0, 13, 14]  # keep copyright and licence, the rest is rewritten
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=list(GLYPHS.values()))
    subsetter.subset(font)

    mapping = {code: names[src] for code, src in GLYPHS.items()}
    for table in font["cmap"].tables:
        table.cmap = dict(mapping) if table.isUnicode() else {}
    font["cmap"].tables = [t for t in font["cmap"].tables if t.isUnicode()]

    name = font["name"]
    for name_id, text in ((1, FAMILY), (2, "Regular"), (3, FAMILY + " 1.0"),
                          (4, FAMILY), (5, "Version 1.0"), (6, FAMILY)):
        name.setName(text, name_id, 3, 1, 0x409)
        name.setName(text, name_id, 1, 0, 0)
    for table in ("GSUB", "GPOS", "GDEF"):
        if table in font:
            del font[table]
    font.save(target)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
