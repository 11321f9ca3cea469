#!/usr/bin/env bash
# Installs the Debian packages listed in packages.txt that are not there yet.
set -euo pipefail
cd "$(dirname "$0")"
wanted=$(grep -vE '^\s*(#|$)' packages.txt)
missing=()
for p in $wanted; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
