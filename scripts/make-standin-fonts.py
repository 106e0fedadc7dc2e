#!/usr/bin/python3
# Makes the stand-ins for the fonts a Windows 10/11 system holds, from
# Debian's fonts, under Windows' own names: a Wine prefix that sees only
# these (and Wine's own) draws as that Windows does, as near as Debian's
# fonts have the same metrics. Each is a copy of a Debian font with its
# names replaced; the glyphs and metrics are untouched.
#   make-standin-fonts.py FOLDER
import os
import sys

from fontTools.ttLib import TTFont

UMING = "/usr/share/fonts/truetype/arphic/uming.ttc"  # 0: CN, 2: TW
MICROHEI = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
IPAGOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
LIBERATION = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"

# File, source, face in the source, English family, the family in its own
# language (Windows' language ID) where Windows gives one.
STANDINS = [
    # Half-width Latin, 12-pixel Chinese at 9 points: SimSun's own metrics.
    ("simsun.ttf", UMING, 0, "SimSun", (0x804, "宋体")),
    ("nsimsun.ttf", UMING, 0, "NSimSun", (0x804, "新宋体")),
    ("pmingliu.ttf", UMING, 2, "PMingLiU", (0x404, "新細明體")),
    ("msyh.ttf", MICROHEI, 0, "Microsoft YaHei", (0x804, "微软雅黑")),
    ("msyhui.ttf", MICROHEI, 0, "Microsoft YaHei UI", None),
    ("msuigothic.ttf", IPAGOTHIC, 0, "MS UI Gothic", None),
    ("micross.ttf", LIBERATION, 0, "Microsoft Sans Serif", None),
]


def rename(font, family, native):
    name = font["name"]
    name.names = [r for r in name.names if r.nameID not in (1, 2, 3, 4, 6, 16, 17)]
    postscript = family.replace(" ", "")
    for platform, encoding, language in ((1, 0, 0), (3, 1, 0x409)):
        for name_id, text in ((1, family), (2, "Regular"), (3, postscript), (4, family), (6, postscript)):
            name.setName(text, name_id, platform, encoding, language)
    if native:
        for name_id in (1, 4):
            name.setName(native[1], name_id, 3, 1, native[0])


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for file, source, number, family, native in STANDINS:
        font = TTFont(source, fontNumber=number, lazy=True)
        rename(font, family, native)
        font.save(os.path.join(folder, file + ".part"))
        os.replace(os.path.join(folder, file + ".part"), os.path.join(folder, file))
    # Fontconfig that knows only this folder: no Linux family is seen.
    with open(os.path.join(folder, "fonts.conf"), "w") as conf:
        conf.write(f"<?xml version=\"1.0\"?>\n<fontconfig>\n  <dir>{os.path.abspath(folder)}</dir>\n"
                   f"  <cachedir>{os.path.abspath(folder)}/cache</cachedir>\n</fontconfig>\n")


if __name__ == "__main__":
    main(sys.argv[1])
