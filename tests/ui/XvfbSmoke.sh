#!/usr/bin/env bash
# Starts the real desktop tool on a virtual X display, waits for its main
# window, presses Enter (which activates EXIT) and expects a clean exit.
# Usage: XvfbSmoke.sh PATH-TO-ostrin-cfg
set -euo pipefail
program="$1"
for tool in xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps installs it)"; exit 1; }
done
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"
cat >"$scratch/session.sh" <<'SESSION'
set -euo pipefail
unset QT_QPA_PLATFORM
"$1" --port "$2/no-such-port" &
pid=$!
window="$(timeout 30 xdotool search --sync --onlyvisible --name "^Ostrin Configuration Tool" | head -1)"
[ -n "$window" ] || { echo "no main window appeared"; kill "$pid"; exit 1; }
echo "main window: $(xdotool getwindowname "$window")"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers Return
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "EXIT did not end the tool"; kill "$pid"; exit 1; fi
wait "$pid"
echo "ended through EXIT"
SESSION
XDG_CONFIG_HOME="$scratch" XDG_RUNTIME_DIR="$scratch/runtime" \
  xvfb-run -a bash "$scratch/session.sh" "$program" "$scratch"
