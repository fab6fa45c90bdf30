#!/usr/bin/env bash
# Builds the Debian package from a finished build, unpacks it into a
# temporary root, and starts the installed program offscreen against the
# installed virtual module, stored as the port of an earlier run. Passes when
# the program holds the module's port open, which it does only once it has
# read the settings and opened the port without asking.
set -euo pipefail
build=$1
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Waits up to ten seconds for a condition, checking every 50 ms.
wait_for() {
  for _ in $(seq 200); do
    if "$@"; then return 0; fi
    sleep 0.05
  done
  return 1
}

(cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/*.deb)
dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/daxo-eval usr/bin/daxo-module-sim usr/share/applications/daxo-eval.desktop \
         usr/share/icons/hicolor/scalable/apps/daxo-eval.svg usr/share/man/man1/daxo-module-sim.1; do
  [ -f "$work/root/$f" ] || { echo "the package lacks $f"; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "no Qt dependency"; exit 1; }
grep -q '^Exec=daxo-eval$' "$work/root/usr/share/applications/daxo-eval.desktop"

mkdir -p "$work/home/DAXO" "$work/ports"
"$work/root/usr/bin/daxo-module-sim" --port-dir "$work/ports" --name COM1 --quiet &
pids+=($!)
wait_for test -L "$work/ports/COM1" || { echo "the virtual module did not register COM1"; exit 1; }
device=$(readlink "$work/ports/COM1")
printf '[RS232_1]\nCom=COM1\nBaud=19200\nBits=8\nStop=1\nFlow=NONE\nDone=1\n' > "$work/home/DAXO/Eval.conf"

env XDG_CONFIG_HOME="$work/home" DAXO_PORT_DIR="$work/ports" DAXO_NO_DEFAULT_PORTS=1 \
    QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/daxo-eval" &
eval_pid=$!
pids+=("$eval_pid")
holds_port() { ls -l "/proc/$eval_pid/fd" 2>/dev/null | grep -q -- "-> $device\$"; }
if wait_for holds_port; then
  echo "the installed program runs with its stored port $device open"
else
  echo "the installed program did not open its stored port"
  exit 1
fi
kill -0 "$eval_pid"  # still running: no crash on the way
