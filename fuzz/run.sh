#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the fuzz targets built in BUILD, one after another, each for
# FUZZ_SECONDS seconds starting from its committed corpus (fuzz/corpus/NAME,
# never written to). A crash, a sanitizer report, a failed check, an input
# slower than FUZZ_TIMEOUT seconds or one using more than FUZZ_RSS_MB of
# memory is a finding: its input is kept in BUILD/findings/ and the run fails.
#   fuzz/run.sh BUILD [NAME...]   (all targets when no name is given)
# With FUZZ_GROW=1 the inputs found are merged into the committed corpus
# (only those that add coverage, and only their first FUZZ_GROW_LEN bytes
# count, so that the corpus stays small), for a long run whose corpus is
# kept. With
# FUZZ_KEEP_GOING=1 a run goes on after a finding (libFuzzer's fork mode),
# keeping each finding's input, so that a known fault does not end it.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:?usage: fuzz/run.sh BUILD [NAME...]}"
shift
seconds="${FUZZ_SECONDS:-20}"
timeout="${FUZZ_TIMEOUT:-10}"
rss="${FUZZ_RSS_MB:-2048}"
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for program in "$build"/fuzz_*; do targets+=("${program##*/fuzz_}"); done
fi

findings="$build/findings"
mkdir -p "$findings"
failed=()
for name in "${targets[@]}"; do
  program="$build/fuzz_$name"
  seeds="$here/corpus/$name"
  scratch="$build/corpus/$name"
  log="$build/logs/$name.log"
  rm -rf "$scratch"
  mkdir -p "$scratch" "$(dirname "$log")"
  options=(-max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb="$rss"
           -malloc_limit_mb="$rss" -print_final_stats=1 -artifact_prefix="$findings/$name-")
  [[ -f "$here/$name.dict" ]] && options+=(-dict="$here/$name.dict")
  [[ "${FUZZ_KEEP_GOING:-0}" == 1 ]] &&
    options+=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
  started=$SECONDS
  # The scratch corpus comes first: new inputs are written there.
  "$program" "${options[@]}" "$scratch" "$seeds" >"$log" 2>&1
  status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  # Fork mode prints no final statistics; its last status line counts the runs.
  [[ -z "$runs" ]] && runs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
  corpus=$(grep -E '^#[0-9]+' "$log" | grep -oE '(cov|corp): [0-9]+(/[0-9a-zA-Z]+)?' | tail -2 | tr '\n' ' ')
  printf '%-18s %4ds  %10s runs  %s' "$name" $((SECONDS - started)) "${runs:-?}" "${corpus:-}"
  if [[ $status -ne 0 ]]; then
    failed+=("$name")
    printf '  FINDING (exit %d), see %s\n' "$status" "$log"
    grep -E 'ERROR: |SUMMARY: |fuzz check failed|runtime error' "$log" | head -5 | sed 's/^/    /'
  else
    printf '\n'
  fi
  if [[ "${FUZZ_GROW:-0}" == 1 ]]; then
    "$program" -merge=1 -max_len="${FUZZ_GROW_LEN:-400}" "$seeds" "$scratch" >"$log.merge" 2>&1
  fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "fuzzing found something in: ${failed[*]} (inputs in $findings)"
  exit 1
fi
