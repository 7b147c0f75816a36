# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the desktop tests: a scratch folder, a private X server and the
# bookkeeping that stops every process a test started, however it ends.

set -Eeuo pipefail
# A command that fails unchecked ends the test; say which.
trap 'echo "FAIL: ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR

scratch=$(mktemp -d)
started=()
# What the app keeps between runs stays with the test.
export XDG_CONFIG_HOME=$scratch/config
# No session bus: a Quillmere already running in this session would
# otherwise be handed the test's launches.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$scratch/no-session-bus

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

stop_all() {
  local pid
  for pid in "${started[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${started[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap stop_all EXIT
trap 'exit 130' INT TERM

# Remembers a background process so that it is stopped at the end.
track() {
  started+=("$1")
}

# wait_for SECONDS COMMAND...: runs COMMAND every tenth of a second until it
# succeeds; fails when SECONDS have passed.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Starts Xvfb on the first free display number and exports DISPLAY.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
  track $!
  wait_for 20 test -s "$scratch/display" || fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"
  DISPLAY=:$(head -n1 "$scratch/display")
  export DISPLAY
}

# True while PID runs (a process that has ended but is not yet waited for
# does not count).
running() {
  local state
  state=$(ps -o stat= -p "$1") && [[ $state != Z* ]]
}

# wait_exit PID SECONDS: waits for a tracked process to end and sets
# exit_status; fails when it still runs after SECONDS.
wait_exit() {
  wait_for "$2" eval '! running '"$1" || fail "process $1 still runs after $2 s"
  exit_status=0
  wait "$1" || exit_status=$?
}
