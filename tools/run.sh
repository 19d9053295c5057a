#!/usr/bin/env bash
# Starts the host IDE. Without a display it runs headless and writes screenshots instead.
set -euo pipefail
build=${1:-build}
shots=${2:-screenshots}
ide="$build/bin/kvide"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  mkdir -p "$shots"
  export QT_QPA_PLATFORM=offscreen
  "$ide" --screenshots "$shots"
  echo "Screenshots written to $(cd "$shots" && pwd):"
  ls -1 "$shots"
else
  exec "$ide"
fi
