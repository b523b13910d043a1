#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, and only
# those that are missing. Safe to run again; prints what it installs.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format clang-tidy
  libclang-rt-14-dev
  libsqlite3-dev libcli11-dev nlohmann-json3-dev
  libgtest-dev googletest libbenchmark-dev
  # Picture sizes, keyboard injection and the X window tests, the CRC and
  # markup benchmarks' references.
  libstb-dev libx11-dev libxtst-dev xvfb zlib1g-dev libxml2-dev
  # The streaming parser of XML exports; the man page made from --help.
  libexpat1-dev help2man
  # The packages and the tests of their consumers: CPack's Debian package
  # with its library dependencies, and pkg-config.
  dpkg-dev file pkgconf
  # The audit's web page tested in a headless browser; the test scripts.
  chromium python3
  # The display mode of the system report: RandR, loaded at run time.
  libxrandr2
  # The zones the local-zone tests put the process in.
  tzdata
  # The Windows builds: MinGW-w64 cross compilers (their -posix variants
  # have std::thread) and Wine to run the x86-64 test programs.
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64
)
# npm fetches the SQLite sources of the Windows builds; the machine's own
# Node.js may already bring it.
if ! command -v npm >/dev/null 2>&1; then
  packages+=(npm)
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# The Windows builds compile expat from the distribution's own source
# package, so that they carry the release (and the fixes) the native build
# links against; apt fetches it from the main archive's source entries.
source_list=/etc/apt/sources.list.d/quendral-sources.sources
if ! apt-cache showsrc expat 2>/dev/null | grep -q '^Package: expat'; then
  . /etc/os-release
  if [[ ${ID:-} != debian || -z ${VERSION_CODENAME:-} ]]; then
    echo "install-deps: not Debian; cannot add the source entries expat comes from" >&2
    exit 1
  fi
  echo "install-deps: adding the Debian source entries ($source_list)"
  $sudo tee "$source_list" >/dev/null <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $VERSION_CODENAME $VERSION_CODENAME-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $sudo apt-get update -qq
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "install-deps: done"
