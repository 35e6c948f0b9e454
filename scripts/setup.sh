#!/usr/bin/env bash
# Installs what building and testing need: Debian packages, then the conformance harness's npm
# packages. Quick when everything is already there; safe to run again.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev zlib1g-dev liblzma-dev libcrypt-dev
  nlohmann-json3-dev libcpp-httplib-dev
  libjpeg-dev libpng-dev libgif-dev libimagequant-dev libzip-dev libfreetype-dev libfontconfig-dev libcairo2-dev
  # The font engine stands Liberation faces in for the Windows ones banners name.
  fontconfig fonts-dejavu-core fonts-liberation fonts-liberation2
  # The art letters are drawn from these faces (artwork/LICENSES.md).
  fonts-dejavu-extra fonts-play fonts-comic-neue fonts-linuxlibertine fonts-cherrybomb
  fonts-oldstandard fonts-comfortaa fonts-lobster fonts-bebas-neue fonts-quicksand
  fonts-dosis fonts-kaushanscript fonts-league-spartan
  # The pictures of the library clips are drawn from Symbola glyphs.
  fonts-symbola
  # The sound tests and the artwork generator encode their MP3 files with lame; the corpus round
  # trip decodes ZWS with xz.
  lame xz-utils
  # The serve command's end-to-end test talks to it with curl.
  curl
  clang libclang-rt-14-dev
  chromium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
# Node.js may be a newer build from outside Debian that carries its own npm; Debian's npm
# package would drag Debian's older nodejs over it, so these two go by the commands present.
command -v node >/dev/null 2>&1 || missing+=(nodejs)
command -v npm >/dev/null 2>&1 || missing+=(npm)

if ((${#missing[@]} > 0)); then
  sudo=()
  if ((EUID != 0)); then
    command -v sudo >/dev/null 2>&1 || { echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo -E)
  fi
  echo "setup: installing ${missing[*]}"
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 update -qq
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 install -y -qq "${missing[@]}"
fi

node_major="$(node -p 'process.versions.node.split(".")[0]')"
if ((node_major < 18)); then
  echo "setup: Node.js $(node --version) is too old for the conformance harness (needs 18 or newer)" >&2
  exit 1
fi

# npm ci wipes and refills node_modules, so it runs only when the lock file changed since.
harness="$root/tests/conformance"
stamp="$harness/node_modules/.orvanta-lock-sha256"
want="$(sha256sum "$harness/package-lock.json" | cut -d' ' -f1)"
if [[ ! -f "$stamp" || "$(cat "$stamp")" != "$want" ]]; then
  echo "setup: npm ci in tests/conformance"
  (cd "$harness" && npm ci --no-audit --no-fund --loglevel=error)
  echo "$want" >"$stamp"
fi
echo "setup: ready"
