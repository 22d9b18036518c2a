#!/usr/bin/env bash
# Builds the native preset and runs vondrel_bench twice, with five repetitions each: once with
# glibc's default heap settings and once with the heap keeping freed memory
# (GLIBC_TUNABLES trim and mmap thresholds at 1 GiB). Both sides of every comparison run under the
# same settings: by default a parser that frees a large document every iteration (pugixml's DOM)
# also pays for faulting that memory in again, which depends on what the process did before.
# Prints the medians and a summary per setting: Load and the scanner against pugixml's
# load_buffer_inplace, pugixml's load_buffer, expat and libxml2 SAX on the same bytes; Load's time
# per byte from 100 KB to 16 MB; Save against the bytes alone and a rename alone; GPX reading.
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

kept="glibc.malloc.trim_threshold=1073741824:glibc.malloc.mmap_threshold=1073741824"
for setting in default kept; do
  results=build/native/bench-results-$setting.csv
  tunables=""
  [ "$setting" = kept ] && tunables=$kept
  echo "== heap: $setting${tunables:+ (GLIBC_TUNABLES=$tunables)}"
  # The repetitions of all benchmarks are interleaved in a random order, so that neither warming
  # up (the first benchmark in a process ran up to 40 % slower) nor drift in the machine's load
  # falls on one side of a comparison.
  GLIBC_TUNABLES=$tunables "$bench" --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true \
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
    function t(a) { return (a in time) ? sprintf("%.0f %s", time[a], unit[a]) : "n/a" }
    END {
      print ""
      print "Summary of the medians:"
      printf "  Load 700 points (file read and scanned): %s; the scanner alone on the bytes: %s\n", t("BM_Load700"), t("BM_Scan700")
      printf "  pugixml load_buffer_inplace: %s, load_buffer: %s, expat: %s, libxml2 SAX: %s\n", t("BM_PugixmlInPlace700"), t("BM_Pugixml700"), t("BM_Expat700"), t("BM_Libxml2Sax700")
      printf "  Load / pugixml in place: %s (scanner: %s); Load / pugixml load_buffer: %s; Load / expat: %s; Load / libxml2: %s\n", ratio("BM_Load700", "BM_PugixmlInPlace700"), ratio("BM_Scan700", "BM_PugixmlInPlace700"), ratio("BM_Load700", "BM_Pugixml700"), ratio("BM_Load700", "BM_Expat700"), ratio("BM_Load700", "BM_Libxml2Sax700")
      printf "  the file read alone: %s; Load / pugixml load_file (its own read and parse): %s\n", t("BM_Read700"), ratio("BM_Load700", "BM_PugixmlFile700")
      for (i = 1; i <= n; i++) {
        size = sized[i]; sub(/.*bytes:/, "", size)
        printf "  Load of %8d bytes: %.3f ns/byte (%+.0f%% from the mean over the sizes)\n",
               size, perByte[sized[i]], 100 * (perByte[sized[i]] * n / sum - 1)
      }
      if ("BM_Save700" in time) printf "  Save 700 points: %.1f %s (without the flush %.1f %s; the bytes alone %.1f %s; a rename alone %.1f %s)\n", time["BM_Save700"], unit["BM_Save700"], time["BM_Save700NoFlush"], unit["BM_Save700NoFlush"], time["BM_Bytes700"], unit["BM_Bytes700"], time["BM_Rename700"], unit["BM_Rename700"]
      if ("BM_ReadPoints700/Gpx" in time) printf "  Read 700 GPX points (parse, code page 932, datum): %.1f %s\n", time["BM_ReadPoints700/Gpx"], unit["BM_ReadPoints700/Gpx"]
      if ("BM_ImportGpx700File" in time) printf "  Import a 700-point GPX file into a table: %.1f %s\n", time["BM_ImportGpx700File"], unit["BM_ImportGpx700File"]
      print ""
    }' "$results"
done
