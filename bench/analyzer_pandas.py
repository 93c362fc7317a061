"""The same work with pandas, for comparison: read every column as text, then
sum, mean, max and min of Gross, Fee and Net."""
import resource
import sys
import time

import pandas as pd

start = time.perf_counter()
cpu = time.process_time()
frame = pd.read_csv(sys.argv[1], dtype=str, keep_default_na=False)
loaded = time.perf_counter() - start
for name in ("Gross", "Fee", "Net"):
    values = pd.to_numeric(frame[name], errors="coerce")
    print(f"    {name:6} total {values.sum():.2f} average {values.mean():.2f} "
          f"high {values.max():.2f} low {values.min():.2f}")
total = time.perf_counter() - start
total_cpu = time.process_time() - cpu
peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
print(f"read_csv        {loaded:.3f} s")
print(f"read+statistics {total:.3f} s (processor {total_cpu:.3f} s)")
print(f"peak memory     {peak:.0f} MB")
print(f"RESULT open_stats_s={total:.3f} open_stats_cpu={total_cpu:.3f} peak_mb={peak:.0f}")
