#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tvf's bash completion as bash runs it when a teacher presses Tab: each
# line below is what has been typed, then what Tab offers.
set -uo pipefail
source /usr/share/bash-completion/bash_completion
source "$1"
cd "$(mktemp -d)" && trap 'rm -rf "$PWD"' EXIT
mkdir results && touch demo.tvf demo.json runs.tvpr notes.txt

offers() {
  COMP_LINE=$1 COMP_POINT=${#1}
  read -ra COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _tvf tvf "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

faults=0
while IFS='|' read -r typed expected; do
  got=$(offers "$typed")
  [[ $got == "$expected" ]] || { echo "FAULT: '$typed' offers '$got', not '$expected'"; faults=$((faults + 1)); }
done <<'CASES'
tvf |--help --version dump pack results simulate
tvf d|dump
tvf dump |demo.tvf results
tvf dump demo.tvf --|--extract --help --password --plain
tvf dump demo.tvf --extract |results
tvf pack |demo.json results
tvf pack demo.json -o |demo.tvf results
tvf results |results runs.tvpr
tvf simulate demo.tvf --script |demo.json results
tvf simulate demo.tvf --s|--script --station
CASES
((faults == 0)) && echo "tvf completes its commands, options and files"
exit $((faults > 0))
