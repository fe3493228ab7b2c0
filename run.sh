#!/usr/bin/env bash
# Installs what is missing, builds and starts Talvorin.
#   ./run.sh           the real devices and the user's own data folder
#   ./run.sh --demo    the virtual devices and a data folder of the demo's own
# Other options are passed to the program (for example --screenshot FILE, --page NAME).
set -euo pipefail
top="$(cd "$(dirname "$0")" && pwd)"
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
build="${TALVORIN_BUILD_DIR:-$top/build}"
exe="$build/app/talvorin"

args=()
demo=0
for a in "$@"; do
  if [[ "$a" == "--demo" ]]; then demo=1; else args+=("$a"); fi
done

if ((demo)); then
  export TALVORIN_DEVICES=virtual
  export TALVORIN_DATA_DIR="${TALVORIN_DATA_DIR:-$top/build/demo-data}"
  export TALVORIN_SHOW_WINDOW=1
  mkdir -p "$TALVORIN_DATA_DIR"
  echo "Demo: virtual devices, data folder $TALVORIN_DATA_DIR"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  shots="$top/build/screenshots"
  mkdir -p "$shots"
  echo "No display found: rendering the pages offscreen to PNG files in $shots instead."
  for page in home info gpu mouse headset; do
    QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software \
      "$exe" "${args[@]}" --page "$page" --screenshot "$shots/$page.png" || true
    [[ -f "$shots/$page.png" ]] && echo "  $shots/$page.png"
  done
  exit 0
fi
exec "$exe" "${args[@]}"
