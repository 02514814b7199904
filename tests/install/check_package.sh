#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `make package` checked as dpkg sees it: the control fields (dependencies
# computed from the binaries), the file list below /usr, and an install and
# a purge with dpkg into a scratch root that leave nothing behind.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 \
  || { cat "$scratch/cpack.log"; exit 1; }
debs=("$scratch"/out/tevrix-student_*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || { echo "FAULT: no package written"; exit 1; }
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == tevrix-student ]] || fault "Package: $(field Package)"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fault "Architecture: $(field Architecture)"
[[ $(field Section) == education ]] || fault "Section: $(field Section)"
[[ -n $(field Maintainer) && -n $(field Description) ]] || fault "no Maintainer or Description"
depends=$(field Depends)
for library in libc6 libstdc++6 zlib1g libpcre2-8-0 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends," =~ ,\ "$library"\ \(\>=\ [^\)]+\), ]] || fault "Depends lacks $library (>= ...): $depends"
done

dpkg-deb -c "$deb" | awk '{print $6}' > "$scratch/files"
grep -v -e '^\./$' -e '^\./usr/' "$scratch/files" && fault "files outside /usr"
for file in usr/bin/tevrix-student usr/bin/tvf usr/share/tevrix-student/LICENSE \
    usr/share/tevrix-student/help/index.html usr/share/tevrix-student/locale/uk/LC_MESSAGES/default.mo \
    usr/share/applications/tevrix-student.desktop usr/share/mime/packages/tevrix-student.xml \
    usr/share/icons/hicolor/scalable/apps/tevrix-student.svg usr/share/man/man1/tvf.1.gz \
    usr/share/doc/tevrix-student/copyright; do
  grep -qx "\./$file" "$scratch/files" || fault "not in the package: $file"
done

# Installed and purged again by dpkg in a root of its own; the library
# dependencies are this machine's, so they are not asked for there.
dpkgroot=$scratch/dpkgroot
mkdir -p "$dpkgroot/var/lib/dpkg/info" "$dpkgroot/var/lib/dpkg/updates"
touch "$dpkgroot/var/lib/dpkg/status"
dpkg=(dpkg --root="$dpkgroot" --force-not-root --force-depends --force-script-chrootless
  --log=/dev/null)
"${dpkg[@]}" --install "$deb" >/dev/null 2>&1 || fault "dpkg --install failed"
[[ $("${dpkg[@]}" --status tevrix-student | grep '^Status:') == "Status: install ok installed" ]] \
  || fault "not installed"
folders=$(env -u DISPLAY -u QT_QPA_PLATFORM XDG_DATA_HOME="$scratch/home" \
  "$dpkgroot/usr/bin/tevrix-student" --folders)
[[ $folders == *"data: $dpkgroot/usr/share/tevrix-student/"* ]] || fault "installed folders: $folders"
"$dpkgroot/usr/bin/tvf" --version >/dev/null || fault "installed tvf does not start"
"${dpkg[@]}" --purge tevrix-student >/dev/null 2>&1 || fault "dpkg --purge failed"
left=$(find "$dpkgroot" -mindepth 1 -not -path "$dpkgroot/var/lib/dpkg*" -not -type d)
[[ -z $left ]] || fault "left after purge: $left"

((faults == 0)) && echo "$(basename "$deb"): fields, files, install and purge fine"
exit $((faults > 0))
