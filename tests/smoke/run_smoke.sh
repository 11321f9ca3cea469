#!/usr/bin/env bash
# The shipped program in a real window under Xvfb, driven by xdotool: it
# opens its titled window, logs its start-up, quits on Escape and a key, and
# again on Alt+F4, each time with exit code 0 and a written Setup.ini.
set -uo pipefail
program="$1"
bin_dir=$(dirname "$program")
work=$(mktemp -d /tmp/pogwin-smoke-XXXXXX)
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/game/Files/Debug.txt" ] && cat "$work/game/Files/Debug.txt"; exit 1; }

# A fresh program folder: the binary and the built assets only.
mkdir -p "$work/game/Files"
cp "$program" "$work/game/"
cp -r "$bin_dir/Files/Common" "$bin_dir/Files/264" "$work/game/Files/"
rm -f "$work/game/Files/264/nuscores.dat" "$work/game/Files/264/crash.dat"

# Xvfb on the first free display number.
for n in $(seq 91 120); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  sleep 1
  if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; break; fi
done
[ -n "${DISPLAY:-}" ] || fail "no Xvfb display"
unset SDL_VIDEODRIVER SDL_AUDIODRIVER

wait_for_log() {  # line, seconds
  for _ in $(seq 1 $(( $2 * 10 ))); do
    grep -qxF -- "$1" <(tr -d '\r' < "$work/game/Files/Debug.txt" 2>/dev/null) && return 0
    sleep 0.1
  done
  return 1
}

press() {  # keys held for a moment, as a person presses them
  xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"
}

run_once() {  # name, quit keys
  rm -f "$work/game/Files/Setup.ini" "$work/game/Files/Debug.txt"
  # Started from another folder: the program finds its files by itself.
  (cd / && exec "$work/game/pogwin") &
  game_pid=$!
  window=$(timeout 20 xdotool search --sync --name '^#264 : Pogwin Zib$' | head -n 1)
  [ -n "$window" ] || fail "$1: no window titled '#264 : Pogwin Zib'"
  [ "$(xdotool getwindowname "$window")" = "#264 : Pogwin Zib" ] || fail "$1: wrong title"
  wait_for_log "Finished Loading" 30 || fail "$1: start-up never finished"
  sleep 3   # the loading picture, then the title
  kill -0 "$game_pid" 2>/dev/null || fail "$1: the program died on the title screen"
  press "$2"
  wait_for_log "Play again, soon!!" 10 || fail "$1: no farewell"
  sleep 2.5   # the release wait
  kill -0 "$game_pid" 2>/dev/null || fail "$1: ended before a fresh press"
  press space
  for _ in $(seq 1 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$game_pid"; code=$?; game_pid=""
  [ "$code" -eq 0 ] || fail "$1: exit code $code"
  head -n 1 "$work/game/Files/Setup.ini" | tr -d '\r' | grep -qx '\[Graphics\]' || fail "$1: Setup.ini not written"
  [ "$(head -n 1 "$work/game/Files/Debug.txt" | tr -d '\r')" = "Orvendal's Tumblestar Engine" ] || fail "$1: log banner"
  grep -q $'^\tResolution : 800x600,0\r$' "$work/game/Files/Debug.txt" || fail "$1: log resolution line"
  echo "ok: $1"
}

start_game() {  # name
  (cd / && exec "$work/game/pogwin") &
  game_pid=$!
  window=$(timeout 20 xdotool search --sync --name '^#264 : Pogwin Zib$' | head -n 1)
  [ -n "$window" ] || fail "$1: no window"
  wait_for_log "Finished Loading" 30 || fail "$1: start-up never finished"
  sleep 3
}

quit_game() {  # name
  press Escape
  wait_for_log "Play again, soon!!" 10 || fail "$1: no farewell"
  sleep 2.5
  press space
  for _ in $(seq 1 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$game_pid"; code=$?; game_pid=""
  [ "$code" -eq 0 ] || fail "$1: exit code $code"
}

# Mean brightness (0-1) of a part of the window.
brightness() {  # x y w h
  import -window "$window" "$work/shot.png"
  convert "$work/shot.png" -crop "$3x$4+$1+$2" -colorspace gray -format '%[fx:mean]' info:
}

rebinding() {
  local name="a rebinding made in the panel"
  rm -f "$work/game/Files/Setup.ini" "$work/game/Files/Debug.txt"
  start_game "$name"
  press Tab
  sleep 0.5
  # Player 1's action 10 widget: canvas (440, 90)-(488, 138) on the open
  # panel; the 800 x 600 window shows the canvas at 0.625.
  xdotool mousemove --window "$window" 290 71
  sleep 0.3
  press a
  xdotool mousemove --window "$window" 700 550
  sleep 0.2
  press Tab
  sleep 0.5
  quit_game "$name"
  grep -q $'^Key=10,65\r$' "$work/game/Files/Setup.ini" || fail "$name: not in Setup.ini"

  # After a restart the binding still works: its widget lights up while A is held.
  start_game "$name, after a restart"
  press Tab
  sleep 0.6
  xdotool mousemove --window "$window" 700 550
  sleep 0.3
  local idle held
  idle=$(brightness 277 58 26 26)
  xdotool keydown a
  sleep 0.4
  held=$(brightness 277 58 26 26)
  xdotool keyup a
  awk -v i="$idle" -v h="$held" 'BEGIN { exit !(h > i + 0.02) }' ||
    fail "$name: widget did not light up with A held (idle $idle, held $held)"
  press Tab
  sleep 0.5
  quit_game "$name, after a restart"
  grep -q $'^Key=10,65\r$' "$work/game/Files/Setup.ini" || fail "$name: lost after a restart"
  echo "ok: $name (widget brightness $idle idle, $held with A held)"
}

run_once "Escape, then a key" Escape
run_once "Alt+F4, then a key" alt+F4
rebinding
