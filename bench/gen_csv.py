#!/usr/bin/env python3
"""Writes a seeded comma-separated file for the table benchmark: a heading
line and ROWS records of 10 fields, about 100 bytes a line, in the form the
store's CSV writer produces (CR LF line ends, "" for empty cells, fields with
commas in double quotes), so that loading and saving it gives the same bytes.

usage: gen_csv.py OUT [ROWS] [SEED]
"""
import random
import sys

WORDS = ("red blue green pen ink paper clip stapler folder binder marker tape "
         "glue card envelope label stamp ruler eraser pencil notebook pad").split()
NAMES = ("Ada Ben Cora Dan Eve Finn Gia Hal Ida Jon Kai Lea Max Nia Oto Pia "
         "Quin Rae Sam Tia Uma Vic Wes Xia Yan Zoe").split()
CITIES = ("Arden Brook Cove Dale Elm Fair Glen Holt Isle Kent Lake Mill Moor "
          "Port Ridge Stone Vale Wick").split()


def main():
    out = sys.argv[1]
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 20240521)
    choice, randint = rng.choice, rng.randint
    lines = ["Date,Invoice,Item,Bar Code,Quantity,Price,Total,Customer,City,Notes"]
    for i in range(rows):
        qty = randint(1, 40)
        cents = randint(50, 99999)
        total = qty * cents
        item = "%s %s %s" % (choice(WORDS), choice(WORDS), choice(WORDS))
        r = rng.random()
        if r < 0.15:
            notes = '""'
        elif r < 0.30:
            notes = '"%s, %s %s"' % (choice(WORDS), choice(WORDS), choice(WORDS))
        else:
            notes = "%s %s %s %s" % (choice(WORDS), choice(WORDS), choice(WORDS), choice(WORDS))
        lines.append("%04d/%02d/%02d,%d,%s,%d,%d,%d.%02d,%d.%02d,%s %s,%s,%s" % (
            randint(2015, 2024), randint(1, 12), randint(1, 28), 100000 + i, item,
            randint(100000, 999999), qty, cents // 100, cents % 100,
            total // 100, total % 100, choice(NAMES), choice(NAMES), choice(CITIES), notes))
        if len(lines) >= 50000:
            flush(out, lines)
    flush(out, lines)


_first = True


def flush(out, lines):
    global _first
    with open(out, "w" if _first else "a", newline="", encoding="latin-1") as f:
        f.write("\r\n".join(lines) + "\r\n")
    _first = False
    lines.clear()


if __name__ == "__main__":
    main()
