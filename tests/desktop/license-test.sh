#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Every source file in git (C++, CMake, shell, Python, Make and the other
# scripts) names the project's licence on its first line, or on its second
# after a "#!" line, so a file added later cannot go out unlicensed.
# With --add, writes the line into the files that lack it.
#
# Usage: license-test.sh SOURCE_DIR [--add]
set -euo pipefail
cd "$1"
add=${2:-}
tag='SPDX-License-Identifier: GPL-3.0-or-later'
[[ -e .git ]] || { echo "$1 is not a git checkout: nothing to check"; exit 77; }
files=$(mktemp)
trap 'rm -f "$files"' EXIT
git ls-files -z >"$files"

missing=()
while IFS= read -r -d '' file; do
  [[ -f $file && ! -L $file ]] || continue
  case $file in
    *.cpp | *.h) comment=// ;;
    *.cmake | CMakeLists.txt | */CMakeLists.txt | *.sh | *.py | Makefile) comment='#' ;;
    *) [[ -x $file && $(head -c 2 "$file") == '#!' ]] || continue; comment='#' ;;
  esac
  line="$comment $tag"
  shebang=$(head -n 1 "$file" | grep '^#!' || true)
  [[ $(sed -n "$((${#shebang} > 0 ? 2 : 1))p" "$file") == "$line" ]] && continue
  missing+=("$file")
  [[ $add == --add ]] || continue
  # The line, then a blank line, so that it stands apart from the file's own
  # opening comment.
  { [[ -n $shebang ]] && echo "$shebang"; echo "$line"; echo
    tail -n +$((${#shebang} > 0 ? 2 : 1)) "$file" | sed '1{/^$/d}'; } >"$file.spdx"
  chmod --reference="$file" "$file.spdx"
  mv "$file.spdx" "$file"
done <"$files"

((${#missing[@]} == 0)) && { echo "every source file names GPL-3.0-or-later"; exit 0; }
[[ $add == --add ]] && { echo "added the SPDX line to ${#missing[@]} files"; exit 0; }
echo "FAIL: ${#missing[@]} source files lack the line '// $tag' (or '# ...'), first after any #! line;" \
  "add it with: tests/desktop/license-test.sh . --add" >&2
printf '  %s\n' "${missing[@]}" >&2
exit 1
