#!/usr/bin/env bash
# Starts the simulated unit as the COM port the settings name (COM1 without a settings file),
# then the program; stops the simulator when the program exits.
#   tools/demo.sh BUILD_DIR [simulator options ...]
set -euo pipefail
build=$(cd "${1:?usage: demo.sh BUILD_DIR [hka2-sim options]}" && pwd)
shift
sim="$build/tools/unit-sim/hka2-sim"
app="$build/src/velo2"
for f in "$sim" "$app"; do
    [ -x "$f" ] || { echo "demo: $f is missing; build first" >&2; exit 1; }
done

# The program keeps its settings beside the executable when that folder is writable, otherwise
# in the user's configuration folder; the COMn link goes where the program will look.
settings="$build/src"
[ -w "$settings" ] || settings="${XDG_CONFIG_HOME:-$HOME/.config}/VELO2"
mkdir -p "$settings"

port=1
ini="$settings/VELO2_ini.prf"
if [ -f "$ini" ]; then
    n=$(sed -n '2s/^CommPortNum:\([0-9]\{1,3\}\)\r\{0,1\}$/\1/p' "$ini")
    if [ -n "$n" ] && [ "$n" -ge 1 ] && [ "$n" -le 256 ]; then port=$n; fi
fi
link="$settings/COM$port"

"$sim" --link "$link" "$@" >/dev/null &
sim_pid=$!
stop_sim() {
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
}
trap stop_sim EXIT INT TERM

for _ in $(seq 100); do
    [ -L "$link" ] && break
    kill -0 "$sim_pid" 2>/dev/null || { echo "demo: the simulator did not start" >&2; exit 1; }
    sleep 0.05
done
[ -L "$link" ] || { echo "demo: no link $link" >&2; exit 1; }
echo "demo: simulated HK-A2 on COM$port ($link -> $(readlink "$link"))"

status=0
"$app" || status=$?
exit $status
