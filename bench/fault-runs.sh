#!/bin/sh
# Fault runs: transfers against ostrin-sim with seeded line faults, 20 seeds
# per fault rate. For each run:
#   download: either it completes and the controller then holds exactly the
#     data file (checked on the simulator's dump), or it fails with "Parameter
#     Download has failed"; after a failure, a sync against a clean controller
#     holding what the failed download left must complete and leave the file.
#   upload: either it completes and the saved file is the controller's
#     configuration, or it fails with "Parameter Upload has failed" and saves
#     nothing.
# A completion whose result differs, or a failure without its message, is a
# violation. Prints one line per fault rate and operation.
#
# Usage: bench/fault-runs.sh BUILD_DIR [RUNS]
set -u
bin="${1:?usage: $0 BUILD_DIR [RUNS]}/bin"
runs="${2:-20}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

site="$work/site.ini"
printf '[General]\r\nGeneral_Timer5_Time=1234\r\n[Port 1]\r\nTimeout_Timer=77\r\n[Port 2]\r\nPending_Voice_ID1=21 22 23\r\n[Macros]\r\nMacro8=37 116\r\nDTMF8=123#\r\n' >"$site"

sim_pid=
sim_port=
# start_sim ARGS...: the simulator in the background; its port in sim_port.
start_sim() {
  "$bin/ostrin-sim" "$@" >"$work/sim.out" 2>/dev/null &
  sim_pid=$!
  sim_port=
  while [ -z "$sim_port" ]; do
    sleep 0.05
    sim_port=$(head -n 1 "$work/sim.out")
  done
}
stop_sim() {
  kill "$sim_pid"
  wait "$sim_pid" 2>/dev/null
}
same() { "$bin/ostrin-cli" diff "$1" "$2" >/dev/null 2>&1; }

# run_download FAULT RATE SEED: prints "completed", "failed repaired", "failed unrepaired" or "violation".
run_download() {
  start_sim "--$1" "$2" --seed "$3" --dump "$work/dump.ini"
  "$bin/ostrin-cli" download --port "$sim_port" --in "$site" --ignore-version >/dev/null 2>"$work/err"
  code=$?
  stop_sim
  if [ "$code" -eq 0 ]; then
    same "$work/dump.ini" "$site" && echo completed || echo violation
    return
  fi
  grep -q '^Parameter Download has failed$' "$work/err" || { echo violation; return; }
  start_sim --load "$work/dump.ini" --dump "$work/synced.ini"
  "$bin/ostrin-cli" sync --port "$sim_port" --in "$site" --ignore-version >/dev/null 2>&1
  code=$?
  stop_sim
  if [ "$code" -eq 0 ] && same "$work/synced.ini" "$site"; then echo "failed repaired"; else echo "failed unrepaired"; fi
}

# run_upload FAULT RATE SEED: prints "completed", "failed" or "violation".
run_upload() {
  rm -f "$work/upload.ini"
  start_sim "--$1" "$2" --seed "$3" --load "$site"
  "$bin/ostrin-cli" upload --port "$sim_port" --out "$work/upload.ini" --ignore-version >/dev/null 2>"$work/err"
  code=$?
  stop_sim
  if [ "$code" -eq 0 ]; then
    same "$work/upload.ini" "$site" && echo completed || echo violation
  elif grep -q '^Parameter Upload has failed$' "$work/err" && [ ! -e "$work/upload.ini" ]; then
    echo failed
  else
    echo violation
  fi
}

printf '%-12s %-5s %-9s %-12s %-8s %-10s %s\n' fault rate transfer completions failed violations "repaired by sync"
for case in "nak-rate 0.5" "nak-rate 0.7" "nak-rate 0.8" \
            "corrupt-rate 0.05" "corrupt-rate 0.1" "corrupt-rate 0.2" \
            "drop-rate 0.01" "drop-rate 0.02" "drop-rate 0.05"; do
  set -- $case
  for transfer in download upload; do
    completed=0 failed=0 violations=0 repaired=0
    seed=1
    while [ "$seed" -le "$runs" ]; do
      result=$(run_$transfer "$1" "$2" "$seed")
      case "$result" in
        completed) completed=$((completed + 1)) ;;
        violation) violations=$((violations + 1)) ;;
        "failed repaired") failed=$((failed + 1)) repaired=$((repaired + 1)) ;;
        *) failed=$((failed + 1)) ;;
      esac
      seed=$((seed + 1))
    done
    [ "$transfer" = download ] && sync_column="$repaired/$failed" || sync_column=-
    printf '%-12s %-5s %-9s %-12s %-8s %-10s %s\n' "$1" "$2" "$transfer" "$completed/$runs" "$failed" "$violations" \
      "$sync_column"
  done
done
