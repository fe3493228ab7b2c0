#!/usr/bin/env bash
# Installs with apt-get whatever of a package list is missing: scripts/packages.txt, or the
# list given (scripts/packages-fuzz.txt for ./test.sh --fuzz).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
list="${1:-$here/packages.txt}"
missing=()
while read -r pkg; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done < "$list"
if ((${#missing[@]} == 0)); then
  exit 0
fi
echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
