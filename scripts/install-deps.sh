#!/usr/bin/env bash
# Installs what Ledgerline needs to build, test and run, from Debian 12
# packages. Safe to run again: packages already present are not touched, and
# nothing is fetched when nothing is missing. Run as root (or with sudo).
set -euo pipefail

build_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools libqt6uitools6 qt6-qpa-plugins libgl-dev libxkbcommon-dev
  libicu-dev libzip-dev libexpat1-dev zlib1g-dev
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
)
# The tests check our DBF output with independent readers and build sample
# workbooks with independent writers; the packaging test builds the .deb
# (dpkg-shlibdeps) and validates its desktop entry and AppStream data.
test_packages=(
  xvfb xauth
  python3 python3-xlsxwriter python3-xlwt python3-openpyxl python3-xlrd
  python3-dbfread python3-dbf libdbd-xbase-perl gdal-bin pgdbf dbview ruby-dbf
  dpkg-dev file desktop-file-utils appstream
)

missing=()
for package in "${build_packages[@]}" "${test_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
