#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `make install` as a technician runs it, into a scratch folder (DESTDIR and
# a prefix of its own): every file lands where the desktop and the station
# look for it, nothing lands outside the prefix, and the installed station
# chooses the installed layout.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

prefix=/opt/tevrix
DESTDIR="$scratch/root" cmake --install "$build" --prefix "$prefix" >/dev/null
root=$scratch/root$prefix
[[ $(ls "$scratch/root") == opt ]] || fault "files outside the prefix: $(ls "$scratch/root")"

for file in bin/tevrix-student bin/tvf \
    share/tevrix-student/LICENSE share/tevrix-student/help/index.html \
    share/tevrix-student/locale/uk/LC_MESSAGES/default.mo \
    share/tevrix-student/locale/be/LC_MESSAGES/default.mo \
    share/applications/tevrix-student.desktop \
    share/mime/packages/tevrix-student.xml \
    share/icons/hicolor/scalable/apps/tevrix-student.svg \
    share/man/man1/tevrix-student.1.gz share/man/man1/tvf.1.gz \
    share/bash-completion/completions/tvf \
    share/doc/tevrix-student/copyright share/doc/tevrix-student/tvf-json.md \
    share/doc/tevrix-student/examples/demo.tvf share/doc/tevrix-student/examples/demo/demo.json; do
  [[ -f $root/$file ]] || fault "not installed: $file"
done

desktop-file-validate "$root/share/applications/tevrix-student.desktop" || fault "desktop entry"
# The MIME type, compiled as the desktop compiles it, claims *.tvf.
update-mime-database "$root/share/mime" >/dev/null 2>&1 || fault "update-mime-database"
grep -q '^50:application/x-tevrix-test:\*\.tvf$' "$root/share/mime/globs2" \
  || fault "*.tvf is not application/x-tevrix-test"
for page in tevrix-student tvf; do
  zcat "$root/share/man/man1/$page.1.gz" | grep -q "^\.TH \"$page\" \"1\"" || fault "manual page $page"
done

folders=$(env -u DISPLAY -u QT_QPA_PLATFORM XDG_DATA_HOME="$scratch/home" \
  "$root/bin/tevrix-student" --folders)
expected="layout: installed
station: $scratch/home/TevrixStudent/
data: $root/share/tevrix-student/
starting configuration: /etc/tevrix-student/TevrixStudent_Config.txt"
[[ $folders == "$expected" ]] || fault "installed station's folders: $folders"

# The installed tool reads the installed example.
dump=$("$root/bin/tvf" dump "$root/share/doc/tevrix-student/examples/demo.tvf") \
  && [[ $dump == *'"Tasks": ['* ]] || fault "tvf dump of the installed demo"

((faults == 0)) && echo "installed into $prefix: every file in place"
exit $((faults > 0))
