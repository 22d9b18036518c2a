#!/usr/bin/env bash
# Builds the native preset and runs vondrel_bench with five repetitions, printing the median of
# each benchmark and a summary: Load against pugixml's parse of the same 700-point bytes, Load's
# time per byte from 100 KB to 16 MB, Save's time, and reading a 700-point GPX file.
# Timings are reported, never judged. Extra arguments go to the benchmark binary (e.g. --benchmark_filter=700).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native >/dev/null
cmake --build --preset native --target vondrel_bench >/dev/null
bench=build/native/vondrel_bench
if [ ! -x "$bench" ]; then
  echo "vondrel_bench was not built: Google Benchmark is missing (libbenchmark-dev)" >&2
  exit 1
fi

results=build/native/bench-results.csv
# The benchmarks run in a fixed order: glibc's heap thresholds adapt to the largest blocks
# freed so far, so after the 16 MB runs pugixml's freed memory would stay in the process and
# its parse would look faster than in the runs before them.
"$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$results" --benchmark_out_format=csv "$@" |
  grep -E '^(Benchmark|-+$|.*_median )'

# CSV rows: "name",iterations,real_time,cpu_time,time_unit,bytes_per_second,...,per_byte (seconds).
awk -F, '
  $1 ~ /_median"$/ {
    name = $1; gsub(/"|_median|\/real_time/, "", name)
    time[name] = $3; unit[name] = $5
    if (name ~ /^BM_LoadSized/) { sized[++n] = name; perByte[name] = $NF * 1e9; sum += perByte[name] }
  }
  function ratio(a, b) { return (a in time && b in time) ? sprintf("%.2f", time[a] / time[b]) : "n/a" }
  END {
    print ""
    print "Summary of the medians:"
    printf "  Load 700 points / pugixml parse of the same bytes: %s\n", ratio("BM_Load700", "BM_Pugixml700")
    printf "  Scan 700 points in memory / pugixml parse:         %s\n", ratio("BM_Scan700", "BM_Pugixml700")
    for (i = 1; i <= n; i++) {
      size = sized[i]; sub(/.*bytes:/, "", size)
      printf "  Load of %8d bytes: %.3f ns/byte (%+.0f%% from the mean over the sizes)\n",
             size, perByte[sized[i]], 100 * (perByte[sized[i]] * n / sum - 1)
    }
    if ("BM_Save700" in time) printf "  Save 700 points: %.1f %s (without the flush %.1f %s; the bytes alone %.1f %s; a rename alone %.1f %s)\n", time["BM_Save700"], unit["BM_Save700"], time["BM_Save700NoFlush"], unit["BM_Save700NoFlush"], time["BM_Bytes700"], unit["BM_Bytes700"], time["BM_Rename700"], unit["BM_Rename700"]
    if ("BM_ReadPoints700/Gpx" in time) printf "  Read 700 GPX points (parse, code page 932, datum): %.1f %s\n", time["BM_ReadPoints700/Gpx"], unit["BM_ReadPoints700/Gpx"]
    if ("BM_ImportGpx700File" in time) printf "  Import a 700-point GPX file into a table: %.1f %s\n", time["BM_ImportGpx700File"], unit["BM_ImportGpx700File"]
  }' "$results"
