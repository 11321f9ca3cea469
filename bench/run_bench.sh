#!/bin/sh
# Runs every benchmark in real windows under a private Xvfb and prints their
# tables. Usage: bench/run_bench.sh [build dir] [runs]
# The build dir defaults to build-bench beside this folder (configure it with
# -DCMAKE_BUILD_TYPE=Release); runs is how many searches each sprite path gets.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build-bench}
runs=${2:-3}
bin=$(cd "$build/bin" && pwd)
for b in sprite_bench text_bench title_loop_bench; do
  [ -x "$bin/$b" ] || { echo "missing $bin/$b: build it first" >&2; exit 1; }
done

# Display :99, or the next one no other X server holds.
n=99
while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
display=:$n
Xvfb $display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT INT TERM
for _ in $(seq 50); do
  xdpyinfo -display $display >/dev/null 2>&1 && break
  sleep 0.1
done
export DISPLAY=$display
# No sound card is needed to measure drawing.
export SDL_AUDIODRIVER=dummy

echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
command -v glxinfo >/dev/null && echo "== OpenGL: $(glxinfo -B | sed -n "s/.*OpenGL renderer string: //p")"
echo
echo "== sprites"
"$bin/sprite_bench" --runs "$runs"
echo
echo "== text"
"$bin/text_bench" --runs "$runs"
echo
echo "== title loop"
for backend in 0 1 2; do
  "$bin/title_loop_bench" --backend $backend --xvfb-pid $xvfb
  echo
done
echo "== load at the end: $(cut -d" " -f1-3 /proc/loadavg)"
