#!/usr/bin/env bash
# Kills the road (SIGKILL) at random moments over the files of an earlier run, then reads every file
# it left: each must be as it was or whole, anything written aside under a temporary name only. A
# rerun of the same command into the same folder must then end well, with the results of a run never
# interrupted.
#   tests/road/interrupt.sh VORTA [RUNS]      (SEED=n repeats the delays of an earlier go)
set -uo pipefail
vorta=$(realpath -m "$1")
runs=${2:-30}
seed=${SEED:-$(( $(date +%s) % 32768 ))}
here=$(cd "$(dirname "$0")" && pwd)
py=/usr/bin/python3   # the Debian one: it has openpyxl and ezdxf
check="$py $here/check_files.py"
tmp=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || kill -KILL "$pid" 2> /dev/null; rm -rf "$tmp"' EXIT

# A plant of five components, 61 bodies of every stock, most numbered: a road of a few seconds.
"$py" - > "$tmp/rig.json" <<'EOF'
import json, sys
stocks = [
    ("plate", lambda i: [400 + 10 * i, 300, 8]),
    ("flat", lambda i: [600 + 10 * i, 60, 8]),
    ("square_tube", lambda i: [60, 4, 500 + 10 * i]),
    ("angle", lambda i: [50, 50, 5, 400 + 10 * i]),
    ("round_bar", lambda i: [20, 300 + 10 * i]),
    ("pipe", lambda i: [114, 4, 300 + 10 * i]),
    ("bent_plate", lambda i: {"flanges": [100, 200 + 5 * i, 100], "angles": [90, 90], "t": 3, "r": 4, "w": 300}),
]
units, k = [], 0
for c in range(5):
    bodies = []
    for b in range(12):
        kind, size = stocks[k % len(stocks)]
        body = {"name": f"件{k}", "stock": kind, "size": size(k), "at": [0, 0, 100 * b]}
        if k % 2 == 0:
            body["attributes"] = {"DB_PART_NAME": f"零件{k}", "DB_PART_NO": "X"}
        bodies.append(body)
        k += 1
    units.append({"file": f"unit{c}-{c + 2}.prt", "name": f"unit{c}-{c + 2}", "at": [2000 * c, 0, 0],
                  "part": {"attributes": {"DB_PART_NAME": f"单元{c}"}, "bodies": bodies}})
json.dump({"file": "rig-1.prt", "attributes": {"DB_PART_NAME": "试验架", "DB_PART_NO": "RIG-100"},
           "bodies": [{"name": "底座", "stock": "plate", "size": [3000, 1500, 16], "attributes": {"DB_PART_NAME": "底座"}}],
           "components": units}, sys.stdout, ensure_ascii=False)
EOF

# Another build may be replacing the binary or its libraries: wait for them rather than fail.
binary() {
  local i
  for i in $(seq 300); do [ -x "$vorta" ] && return 0; sleep 1; done
  echo "no $vorta" >&2
  exit 2
}
unloadable() { grep -q 'error while loading shared libraries\|cannot load the module' "$1"; }
start() {  # start DIR LOG: the road into DIR in the background, its progress a line at a time
  binary
  "$vorta" road "$tmp/rig.json" -o "$1" > "$2" 2>&1 &
  pid=$!
}
road() {  # road DIR LOG: the whole road into DIR
  local i
  for i in $(seq 10); do
    start "$1" "$2"
    wait "$pid" && return 0
    unloadable "$2" || return 1
    sleep 10
  done
  return 1
}
seconds() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }'; }

# OLD: the files of a finished run, which every run below starts from. NEW: a run over them to its
# end, what each killed run would have made. A first run into an empty folder leaves no "(old)" backups.
road "$tmp/old" "$tmp/first.txt" || { cat "$tmp/first.txt"; echo "the road fails on the rig"; exit 1; }
t0=$(date +%s.%N)
road "$tmp/old" "$tmp/old.txt" || { cat "$tmp/old.txt"; echo "a second road over the first fails"; exit 1; }
duration=$(seconds "$t0")
cp -a "$tmp/old" "$tmp/new"
t0=$(date +%s.%N)
road "$tmp/new" "$tmp/new.txt" || { cat "$tmp/new.txt"; echo "a third road fails"; exit 1; }
duration=$(awk -v a="$duration" -v b="$(seconds "$t0")" 'BEGIN { print a < b ? a : b }')
for d in old new; do
  out=$($check whole "$tmp/$d") || { echo "$out"; echo "an uninterrupted run leaves faulty files"; exit 1; }
done
$check rerun "$tmp/old" "$tmp/old" "$tmp/new" > "$tmp/same.txt" ||
  { cat "$tmp/same.txt"; echo "two uninterrupted runs over the same files differ"; exit 1; }
echo "rig: $(head -1 "$tmp/same.txt" | sed 's/ left=.*//'), $duration s a road; $runs runs, seed $seed"

RANDOM=$seed
work="$tmp/work"
run=0 retries=0 failed=0
temps="" leftovers=""
declare -A where=()
while [ "$run" -lt "$runs" ]; do
  rm -rf "$work"
  cp -a "$tmp/old" "$work"
  delay=$(awk -v d="$duration" -v r=$((RANDOM * 32768 + RANDOM)) 'BEGIN { printf "%.3f", d * r / 1073741824 }')
  start "$work" "$tmp/killed.txt"
  sleep "$delay"
  { kill -KILL "$pid"; wait "$pid"; } 2> /dev/null
  status=$?
  if unloadable "$tmp/killed.txt" && [ $((retries += 1)) -le 10 ]; then sleep 10; continue; fi
  run=$((run + 1))
  if [ "$status" -eq 137 ]; then
    step=$(sed -n 's/^\[ *[0-9.]* s\] \([a-z]*\) \.\.\.$/\1/p' "$tmp/killed.txt" | tail -1)
    step=${step:-start}
    at="killed in $step"
  else
    step="no kill"
    at="ended first (exit $status)"
  fi
  own=0
  [ "$status" -eq 137 ] || [ "$status" -eq 0 ] || own=1
  where[$step]=$(( ${where[$step]:-0} + 1 ))

  killed=$($check killed "$tmp/old" "$tmp/new" "$work"); kstatus=$?
  temps+=" $(sed -n '1s/.* temp=\([^ ]*\).*/\1/p' <<< "$killed" | tr ',' ' ' | sed 's/:[0-9]*//g')"
  if road "$work" "$tmp/rerun.txt"; then
    rerun=$($check rerun "$tmp/old" "$tmp/new" "$work"); rstatus=$?
    outcome=$([ $rstatus -eq 0 ] && echo "rerun same" || echo "RERUN DIFFERS")
    left=$(sed -n '1s/.* left=\([^ ]*\).*/\1/p' <<< "$rerun")
    [ "$left" = "-" ] || { outcome+=", rerun leaves $left"; leftovers+=" $left"; }
  else
    rstatus=1
    rerun=$(printf 'the rerun fails:\n'; tail -3 "$tmp/rerun.txt" | sed 's/^/    /')
    outcome="RERUN FAILS"
  fi
  [ $kstatus -eq 0 ] || outcome="HALF-WRITTEN, $outcome"
  [ $own -eq 0 ] || outcome="FAILED BEFORE THE KILL, $outcome"
  printf 'run %2d: delay %5.2f s, %-26s %s; %s\n' "$run" "$delay" "$at," "$(head -1 <<< "$killed")" "$outcome"
  [ $kstatus -eq 0 ] || tail -n +2 <<< "$killed"
  [ $rstatus -eq 0 ] || tail -n +2 <<< "$rerun"
  [ $own -eq 0 ] || tail -3 "$tmp/killed.txt" | sed 's/^/    /'
  [ $kstatus -eq 0 ] && [ $rstatus -eq 0 ] && [ $own -eq 0 ] || failed=$((failed + 1))
done

names() { tr ' ,' '\n\n' <<< "$1" | grep -v '^-\?$' | sort | uniq -c | awk '{ printf "%s%s in %d runs", (NR > 1 ? ", " : ""), $2, $1 }'; }
echo "killed in: $(for s in "${!where[@]}"; do echo "$s ${where[$s]}"; done | sort | paste -sd, | sed 's/,/, /g')"
echo "temporary names after a kill: $(names "$temps" | grep . || echo none)"
[ -z "$leftovers" ] || echo "temporary files a rerun did not clean: $(names "$leftovers")"
echo "$((runs - failed)) of $runs runs passed"
[ "$failed" -eq 0 ]
