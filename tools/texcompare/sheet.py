#!/usr/bin/python3
"""Side-by-side sheet: for each formula, ours (compare.py's PNG) beside TeX's ink picture.

   sheet.py CORPUS.tsv TEXOUT OURS_DIR OUT.png [--ids a,b,c] [--columns N]
"""
import argparse
from PIL import Image, ImageDraw

parser = argparse.ArgumentParser()
parser.add_argument("corpus")
parser.add_argument("tex")
parser.add_argument("ours")
parser.add_argument("out")
parser.add_argument("--ids", default="")
parser.add_argument("--columns", type=int, default=3)
args = parser.parse_args()

ids = [line.split("\t")[0] for line in open(args.corpus, encoding="utf-8")
       if line.strip() and not line.startswith("#")]
if args.ids:
    wanted = args.ids.split(",")
    ids = [i for i in ids if i in wanted]

def ink(image):
    """The picture cropped to its ink, so that both sides are compared alike."""
    gray = image.convert("L")
    box = Image.eval(gray, lambda v: 255 - v).getbbox()
    return gray.crop(box) if box else gray

cells = []
for i in ids:
    try:
        ours = ink(Image.open(f"{args.ours}/{i}.png"))
    except OSError:
        ours = Image.new("L", (40, 20), 200)
    tex = ink(Image.open(f"{args.tex}/ink/{i}.display.png"))
    w = ours.width + tex.width + 30
    h = max(ours.height, tex.height) + 24
    cell = Image.new("L", (w, h), 255)
    cell.paste(ours, (5, 18 + (h - 18 - ours.height) // 2))
    cell.paste(tex, (ours.width + 25, 18 + (h - 18 - tex.height) // 2))
    ImageDraw.Draw(cell).text((5, 2), f"{i}: ours | TeX", fill=0)
    cells.append(cell)

cols = args.columns
col_w = [max((c.width for c in cells[k::cols]), default=0) for k in range(cols)]
rows = [cells[r:r + cols] for r in range(0, len(cells), cols)]
height = sum(max(c.height for c in row) + 6 for row in rows)
sheet = Image.new("L", (sum(col_w) + 10 * cols, max(height, 1)), 255)
y = 0
for row in rows:
    x = 0
    for k, c in enumerate(row):
        sheet.paste(c, (x, y))
        x += col_w[k] + 10
    y += max(c.height for c in row) + 6
sheet.save(args.out)
