#!/usr/bin/env bash
# Installs every package the build and the tests need (Debian 12). Idempotent and
# quiet when everything is already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config git ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libfreeimage-dev libuemf-dev zlib1g-dev
  fonts-liberation2 fonts-dejavu-core fontconfig
  libgtest-dev libgmock-dev libbenchmark-dev
  locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup-deps: ${#missing[@]} packages missing: ${missing[*]}"
  echo "setup-deps: reading the package lists (apt-get update)"
  "${sudo_cmd[@]}" apt-get update -qq
  echo "setup-deps: downloading and installing the packages (this takes a few minutes)"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
  echo "setup-deps: packages installed"
fi

# One test saves and loads under a comma-decimal locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "setup-deps: generating de_DE.UTF-8"
  "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
