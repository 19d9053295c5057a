#!/usr/bin/env bash
# Installs everything the build, the tests and the host need, from Debian's packages.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6sql6-sqlite
  qt6-declarative-dev libmuparser-dev libgl-dev
  fonts-dejavu-core fonts-wine fonts-liberation
  locales
)

# The locales the tests run in besides C (glibc's number and date functions follow them too).
LOCALES=(en_US de_DE)

missing_locales() {
  for l in "${LOCALES[@]}"; do
    locale -a 2>/dev/null | grep -qix "$l.utf8" || echo "$l"
  done
}

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

generate_locales() {
  for l in $(missing_locales); do
    echo "setup: generating locale $l.UTF-8"
    $SUDO localedef -i "$l" -c -f UTF-8 -A /usr/share/locale/locale.alias "$l.UTF-8"
  done
}

if [ ${#missing[@]} -eq 0 ]; then
  generate_locales
  exit 0
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
generate_locales
