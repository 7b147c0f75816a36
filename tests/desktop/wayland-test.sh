#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs Quillmere (built for the fake service on PORT) on Wayland for real:
# weston is the compositor and wl-copy the other application, holding a
# picture with two lines of text on the clipboard when Quillmere starts.
#
# weston's headless backend has no seat, so neither a clipboard nor a key
# could reach a client there; its X11 backend has one, fed by a private Xvfb,
# so xdotool's key presses reach Quillmere as real Wayland keyboard events.
# Quillmere itself sees no X server.
#
# Usage: wayland-test.sh SOURCE_DIR APP PORT
source "$(dirname "$0")/session.sh"
source_dir=$(realpath "$1")
quillmere=$(realpath "$2")
port=$3
entry=$source_dir/data/org.quillmere.Quillmere.desktop

python3 "$source_dir/tests/support/fake_translate.py" --port "$port" --max-seconds 1200 \
  --log "$scratch/requests.log" >"$scratch/fake.log" 2>&1 &
track $!
wait_for 20 bash -c "exec 3<>/dev/tcp/127.0.0.1/$port" || fail "the fake translation service did not start: $(cat "$scratch/fake.log")"

start_xvfb
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=quillmere-test
# kiosk-shell gives each window the whole output and the keyboard.
weston --backend=x11-backend.so --shell=kiosk-shell.so --no-config --use-pixman \
  --socket="$WAYLAND_DISPLAY" --width=1200 --height=900 --idle-time=0 >"$scratch/weston.log" 2>&1 &
track $!
wait_for 20 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start: $(cat "$scratch/weston.log")"
compositor=$(xdotool search --sync --classname '^weston')

# A screenshot-like picture: two lines of text and a block of a colour that
# nothing else on the screen has, to find the picture on the screen again.
marker='#ff00ff'
convert -size 640x360 xc:white -font /usr/share/fonts/truetype/noto/NotoSans-Regular.ttf -pointsize 36 \
  -fill black -annotate +40+200 'Good morning' -annotate +40+280 'Open the door' \
  -fill "$marker" -draw 'rectangle 440,30 600,130' "$scratch/picture.png"
wl-copy --foreground --type image/png <"$scratch/picture.png" &
track $!
wait_for 10 eval 'wl-paste --list-types 2>/dev/null | grep -qx image/png' || fail "wl-copy holds no picture"

# WAYLAND_DEBUG logs every request, the window's title and app id among them.
env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$quillmere" >"$scratch/app.log" 2>&1 &
app=$!
track $app
# What Quillmere said, without the protocol log.
app_output() { grep -v '^\[' "$scratch/app.log" | tail -n 20; }

# Share of the screen's pixels in the marker colour, in thousandths.
marker_on_screen() {
  import -window root "$scratch/screen.png" 2>/dev/null &&
    convert "$scratch/screen.png" -alpha off -fill black +opaque "$marker" -fill white -opaque "$marker" \
      -format '%[fx:int(mean*1000)]' info:
}
shown() { (($(marker_on_screen) >= 5)); }
wait_for 30 shown || fail "the picture on the clipboard is not shown: $(app_output)"
running $app || fail "quillmere ended: $(app_output)"

# Desktops find the entry, its name and icon, by the window's app id.
app_id=$(basename "$entry" .desktop)
grep -q "xdg_toplevel@[0-9]*\.set_app_id(\"$app_id\")" "$scratch/app.log" || fail "the window's app id is not $app_id"
title=$(sed -n 's/^Name=//p' "$entry")
grep -q "xdg_toplevel@[0-9]*\.set_title(\"$title\")" "$scratch/app.log" || fail "the window's title is not $title"

xdotool windowfocus --sync "$compositor"

# Until the translation is done the copy finds nothing and the clipboard keeps
# wl-copy's picture; the fake service writes "[iw] TEXT" for Hebrew.
expected=$'[iw] Good morning\n[iw] Open the door'
text_copied() {
  xdotool key --clearmodifiers ctrl+shift+c
  timeout 5 wl-paste --no-newline --type 'text/plain;charset=utf-8' >"$scratch/copied.txt" 2>/dev/null &&
    [[ $(<"$scratch/copied.txt") == "$expected" ]]
}
wait_for 60 text_copied ||
  fail "wl-paste got '$(cat "$scratch/copied.txt")', not '$expected'; requests: $(cat "$scratch/requests.log")"

image_copied() {
  xdotool key --clearmodifiers ctrl+c
  timeout 5 wl-paste --type image/png >"$scratch/copied.png" 2>/dev/null && [[ -s $scratch/copied.png ]]
}
wait_for 20 image_copied || fail "Ctrl+C put no picture on the clipboard"
size=$(identify -format '%wx%h' "$scratch/copied.png")
[[ $size == 640x360 ]] || fail "the copied picture is $size, the pasted one 640x360"
# The translated picture carries the translations: read them back.
written=$(tesseract "$scratch/copied.png" - 2>/dev/null | grep -c '^\[iw\] ' || true)
((written == 2)) || fail "the copied picture shows $written translated lines, not 2"

# A key pressed while the keyboard passes back from wl-paste's window to
# Quillmere's can go to neither, so the key is pressed again until it quits.
quit_pressed() {
  xdotool key --clearmodifiers ctrl+q
  wait_for 3 eval '! running '"$app"
}
wait_for 20 quit_pressed || fail "quillmere still runs 20 s after Ctrl+Q: $(app_output)"
wait_exit $app 1
((exit_status == 0)) || fail "quillmere exited with status $exit_status: $(app_output)"

echo "wayland OK: the launch paste showed the picture; wl-paste got the translated text and a $size picture; Ctrl+Q quit"
