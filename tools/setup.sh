#!/usr/bin/env bash
# Installs the Debian packages needed to build and test both programs.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins libgl-dev
  libjpeg-dev libgtest-dev fonts-liberation2
  qtkeychain-qt6-dev
  # test-only helpers: they check our output with someone else's code
  xvfb xauth zbar-tools poppler-utils python3-aiosmtpd unrtf
  openssl
  # packaging: man pages from --help, menu entry and metainfo checks, the .deb
  help2man man-db desktop-file-utils appstream dpkg-dev
  # CI checks: formatting, sanitizers, fuzzing, and a shared compiler cache
  ccache clang clang-format libclang-rt-14-dev llvm
  # a faster linker for the many test programs
  lld
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
