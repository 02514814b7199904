#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package the project needs. Idempotent: when all of
# them are present it prints nothing and touches nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  clang-14 libclang-rt-14-dev
  zlib1g-dev libpcre2-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  gettext python3-markdown
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-multimedia-dev libgl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav timgm6mb-soundfont
  libwmf-dev libemf2svg-dev
  fonts-urw-base35
  xvfb xauth fonts-dejavu-core fonts-liberation
  scdoc dpkg-dev file desktop-file-utils shared-mime-info bash-completion
  xdg-user-dirs
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
