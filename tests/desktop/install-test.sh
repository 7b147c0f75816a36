#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build tree with `cmake --install` into a scratch root, as a
# distribution's packaging would, and checks what a desktop reads there.
#
# Usage: install-test.sh BUILD_DIR VERSION
source "$(dirname "$0")/session.sh"
DESTDIR=$scratch/root cmake --install "$1" --prefix /usr >"$scratch/install.log" ||
  fail "cmake --install: $(cat "$scratch/install.log")"
"$(dirname "$0")/check-install-tree.sh" "$scratch/root" /usr "$2"
