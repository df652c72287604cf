#!/bin/sh
# Drives the real gryvel under Xvfb as a user would: first start with no settings file, wait
# until the bundled dictionary is listed, search for a pattern, close, and find the search in
# the settings file; then a second start while one runs must end with status 0 and bring the
# running copy's window to the top, and a copy killed outright must not keep the next one from
# starting. (How long the second start takes is measured by bench/startup.)
#   smoke_test.sh <folder holding gryvel and Dictionaries/>
set -eu

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
fi

# The real X platform, whatever a developer running the offscreen suites has exported.
export QT_QPA_PLATFORM=xcb
bin=$(cd "$1" && pwd)
work=$(mktemp -d)
pid=""
wm=""
other_pid=""
cleanup() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null || true
  [ -n "$other_pid" ] && kill -9 "$other_pid" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "smoke test: $*" >&2; exit 1; }

# A program folder of its own, so its gryvel.ini starts absent and nothing else shares its lock.
mkdir -p "$work/app" "$work/run"
chmod 700 "$work/run"
cp "$bin/gryvel" "$work/app/"
ln -s "$bin/Dictionaries" "$work/app/Dictionaries"
export XDG_RUNTIME_DIR="$work/run" XDG_CACHE_HOME="$work/cache"
export LC_ALL=C.UTF-8
ini="$work/app/gryvel.ini"

# A window manager, as on a desktop: it frames the window, which is what its saved place must
# allow for.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!

start() {
  "$work/app/gryvel" &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Gryvel$' | head -n 1) ||
    fail "no window appeared"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
}

clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }

start
[ -f "$ini" ] || fail "the first start did not write $ini"

# The quick-search edit has the focus; Down moves the list's selection and Ctrl+Insert copies
# the selected word: a word on the clipboard means the dictionary is listed.
listed=""
for _ in $(seq 1 100); do
  xdotool key --clearmodifiers Down ctrl+Insert
  listed=$(clipboard)
  [ -n "$listed" ] && break
  sleep 0.2
done
[ -n "$listed" ] || fail "the bundled dictionary was not listed"

# Typed as Latin keys: X test input maps other characters to spare key codes, which can drop
# some of them. 1221 finds four-letter words whose letters mirror each other («анна»).
xdotool type --delay 40 '1221'
xdotool key Return
# The search and the copy run in the window's own time: copy the selected word until a
# result arrives on the clipboard.
printf '' | xclip -selection clipboard
first=""
for _ in $(seq 1 100); do
  xdotool key --clearmodifiers ctrl+Insert
  first=$(clipboard)
  echo "$first" | grep -Eiq '^(.)(.)\2\1$' && break
  sleep 0.1
done
echo "$first" | grep -Eiq '^(.)(.)\2\1$' || fail "the search did not select a result (got '$first')"

kill -TERM "$pid"
wait "$pid" || fail "gryvel did not end cleanly"
pid=""
grep -q '^1=1221' "$ini" ||
  fail "the settings file does not hold the search"

# A second copy while the first runs ends with status 0 and raises the first one's window
# above another window. Without a window manager the top-level windows are the root's
# children, listed bottom to top.
start
first_pid=$pid
first_window=$window
mkdir -p "$work/other/app" "$work/other/run"
chmod 700 "$work/other/run"
cp "$bin/gryvel" "$work/other/app/"
ln -s "$bin/Dictionaries" "$work/other/app/Dictionaries"
XDG_RUNTIME_DIR="$work/other/run" "$work/other/app/gryvel" &
other_pid=$!
topmost() { xdotool search --onlyvisible --name '^Gryvel$' | tail -n 1; }
for _ in $(seq 1 100); do
  [ "$(topmost)" != "$first_window" ] && break
  sleep 0.1
done
[ "$(topmost)" != "$first_window" ] || fail "the other window did not come on top"
timeout 10 "$work/app/gryvel" || fail "the second copy did not end with status 0"
for _ in $(seq 1 100); do
  [ "$(topmost)" = "$first_window" ] && break
  sleep 0.1
done
[ "$(topmost)" = "$first_window" ] || fail "the first copy's window was not raised"
kill -TERM "$other_pid"
wait "$other_pid" || fail "the other copy did not end cleanly"
other_pid=""
kill -0 "$first_pid" || fail "the first copy ended"

# A copy killed outright leaves nothing that blocks the next start.
kill -9 "$first_pid"
wait "$first_pid" 2>/dev/null || true
start
kill -TERM "$pid"
wait "$pid" || fail "gryvel did not end cleanly after a crashed copy"
pid=""

# Starts and closes leave the window where it was.
place() { sed -n '/^\[WindowPos\]/,/^\[/p' "$ini" | grep -E '^(Left|Top|Width|Height)='; }
before=$(place)
for _ in 1 2 3; do
  start
  kill -TERM "$pid"
  wait "$pid" || fail "gryvel did not end cleanly"
  pid=""
done
[ "$(place)" = "$before" ] || fail "the window moved: $(echo $before) became $(echo $(place))"

# A window destroyed from outside ends the program as a close does: the settings are written
# and the lock released, so the next start shows a window.
start
xdotool type --delay 40 '12321'
xdotool key Return
printf '' | xclip -selection clipboard
found=""
for _ in $(seq 1 50); do
  xdotool key --clearmodifiers ctrl+Insert
  found=$(clipboard)
  echo "$found" | grep -Eiq '^(.)(.).\2\1$' && break
  sleep 0.1
done
xdotool windowclose "$window"
timeout 10 sh -c "while kill -0 $pid 2>/dev/null; do sleep 0.1; done" ||
  fail "gryvel went on without its window"
pid=""
grep -q '^1=12321' "$ini" || fail "the settings were not written when the window was destroyed"
start
kill -TERM "$pid"
wait "$pid" || fail "gryvel did not end cleanly after its window was destroyed"
pid=""
echo "smoke test passed (listed '$listed', found '$first')"
