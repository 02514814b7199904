#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings every catalogue po/<language>.po up to date with the sources:
# extracts the texts into po/default.pot, merges it into each catalogue (new
# texts come in untranslated, changed ones as fuzzy guesses, texts gone from
# the sources are dropped), then lists what is left to translate.
#   scripts/update-po.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/extract-messages.sh po/default.pot 2>/dev/null
# The station's texts break lines with "\r" on purpose; gettext's warning
# about it is left out.
quiet() { "$@" 2>&1 | { grep -v "messages should not contain the" || true; } >&2; }
for catalogue in po/*.po; do
  quiet msgmerge --quiet --update --backup=none --no-wrap --sort-by-file "$catalogue" po/default.pot
  quiet msgattrib --no-obsolete --no-wrap --sort-by-file -o "$catalogue" "$catalogue"
done
python3 tests/i18n/check_translations.py || true
