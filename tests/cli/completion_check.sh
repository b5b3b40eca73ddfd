#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Completes command lines with the scripts the programs make, as bash does on Tab: commands,
# options, option values and the files each command takes. Skipped where bash-completion is
# missing.
# Usage: completion_check.sh QL708 QL708_CLI
set -u
gui=$1 cli=$2
helpers=/usr/share/bash-completion/bash_completion
[ -r "$helpers" ] || { echo "skipped: bash-completion is not installed"; exit 0; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$gui" --bash-completion >"$dir/ql708" && "$cli" --bash-completion >"$dir/ql708-cli" || exit 1
mkdir "$dir/files" "$dir/files/sub"
touch "$dir/files/a.rec" "$dir/files/B.REC" "$dir/files/c.ghf" "$dir/files/d.txt" "$dir/files/e.pdf"
cd "$dir/files" || exit 1
failed=0
# check "LINE" "EXPECTED": the sorted candidates for the last word of LINE.
check() {
  got=$(bash -c '
    . "$1"; . "$2"; . "$3"
    line=$4
    read -ra COMP_WORDS <<<"$line"
    case $line in *" ") COMP_WORDS+=("") ;; esac
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$line COMP_POINT=${#line}
    "_${COMP_WORDS[0]//-/_}" "${COMP_WORDS[0]}"
    printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' sh "$helpers" "$dir/ql708" "$dir/ql708-cli" "$1")
  [ "$got" = "$2" ] || { echo "\"$1\": \"$got\", expected \"$2\""; failed=1; }
}
check "ql708-cli st" "stats status "
check "ql708-cli --v" "--version "
check "ql708-cli status --c" "--count --csv "
check "ql708-cli sets " "B.REC a.rec sub "
check "ql708-cli export " "B.REC a.rec c.ghf sub "
check "ql708-cli export a.rec --format " "csv iso txt "
check "ql708-cli download --simulate -o " "B.REC a.rec sub "
check "ql708-cli download --tr" "--trace "
check "ql708-cli report a.rec --language " "en fr "
check "ql708-cli monitor --out " "sub "
check "ql708-cli stats " "B.REC a.rec c.ghf d.txt sub "
check "ql708-cli stats a.rec --j" "--json "
check "ql708 --lang" "--language "
check "ql708 " "B.REC a.rec c.ghf d.txt sub "
[ $failed -eq 0 ] && echo "completion works"
exit $failed
