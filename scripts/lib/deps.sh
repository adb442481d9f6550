# Installs what the build and the tests need, idempotently; sourced by scripts/test and scripts/demo.
# Quick when everything is already there: one dpkg query, no network.

LUMOR_APT_PACKAGES=(
  cmake ninja-build g++ pkg-config
  googletest libgtest-dev libgmock-dev zlib1g-dev libdeflate-dev libjpeg62-turbo-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools libz-mingw-w64-dev
  wine wine64 fonts-wine
  xvfb xauth xdotool imagemagick x11-apps
  mdbtools osslsigncode openssl libsqlite3-dev sqlite3 unzip zip libarchive-tools dpkg-dev python3
  nodejs npm
  default-jre-headless default-jdk-headless libcommons-lang3-java libcommons-logging-java
)

lumor_install_apt() {
  local missing=()
  local pkg status
  for pkg in "${LUMOR_APT_PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$pkg")
  done
  # node and npm may come from elsewhere than Debian on some machines.
  if command -v node >/dev/null && command -v npm >/dev/null; then
    local filtered=()
    for pkg in "${missing[@]}"; do
      case "$pkg" in nodejs|npm) ;; *) filtered+=("$pkg") ;; esac
    done
    missing=("${filtered[@]}")
  fi
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The npm oracle (mdb-reader) for the Jet differential tests, pinned by the lock file in
# tests/data/jet4/oracles.
lumor_install_npm() {
  local root="$1" dir="$1/build/oracles"
  local pinned="$root/tests/data/jet4/oracles"
  # Without the pinned package list no oracle can be installed, and every comparison with
  # mdb-reader would skip: that is a broken checkout, not an optional extra.
  if [ ! -f "$pinned/package.json" ]; then
    echo "lumor_install_npm: $pinned/package.json is missing; the mdb-reader oracle cannot be installed" >&2
    return 1
  fi
  if [ ! -d "$dir/node_modules/mdb-reader" ]; then
    echo "== installing the npm oracle"
    mkdir -p "$dir"
    cp "$pinned/package.json" "$pinned/package-lock.json" "$pinned/mdbreader-dump.mjs" "$dir/"
    (cd "$dir" && npm ci --no-audit --no-fund --silent >/dev/null)
  fi
}

# A Wine prefix at PREFIX, made once and reused: windows unmanaged, because without a window
# manager every window destruction would stall for 2 s.
lumor_wine_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}

# The build's own Wine prefix, under ROOT/build.
lumor_wine_env() { lumor_wine_prefix "$1/build/wineprefix"; }
