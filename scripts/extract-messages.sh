#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Extracts every interface text of the sources into a message template:
#   scripts/extract-messages.sh [OUTPUT.pot]     (default: po/default.pot)
# Texts are found where they are translated (Tr, TrFormat, tr, ...) or where
# they are written down for later (N_), and in the helpers that translate
# their first argument (WithPoints, Line, AddLine).
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-po/default.pot}
mkdir -p "$(dirname "$output")"
git ls-files 'src/*.cpp' 'src/*.h' | sort > "${output}.files"
xgettext --from-code=UTF-8 --language=C++ --no-wrap --sort-by-file \
  --package-name=TevrixStudent --msgid-bugs-address="TevrixStudent developers" \
  --keyword=N_ --keyword=Tr --keyword=TrFormat --keyword=TranslateText \
  --keyword=WithPoints --keyword=Line --keyword=AddLine --keyword=tr \
  -o "$output" -f "${output}.files"
rm -f "${output}.files"
