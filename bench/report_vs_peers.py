"""One report the pandas way, from the file on disk to the CSV written: read
every column as text, then count, total, average, highest and lowest Gross,
Fee and Net per day, per month or per lower-cased status.

usage: report_vs_peers.py FILE daily|monthly|status OUT.csv"""
import sys

import pandas as pd

path, kind, out = sys.argv[1:4]
frame = pd.read_csv(path, dtype=str, keep_default_na=False)
if kind == "daily":
    key = frame["Date"]
elif kind == "monthly":
    key = frame["Date"].str.slice(0, 7)
else:
    key = frame["Status"].str.lower()
values = pd.DataFrame({name: pd.to_numeric(frame[name], errors="coerce")
                       for name in ("Gross", "Fee", "Net")})
values["key"] = key
report = values.groupby("key").agg(
    count=("Gross", "size"),
    **{f"{how} {name}": (name, how) for how in ("sum", "mean", "max", "min")
       for name in ("Gross", "Fee", "Net")})
report.to_csv(out, float_format="%.2f")
