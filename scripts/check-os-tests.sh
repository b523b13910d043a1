#!/usr/bin/env bash
# Fails, listing them, when C or C++ sources outside the operating-system
# layer ask which system they are built for (#ifdef _WIN32, #if
# defined(__linux__), #elif _MSC_VER ...). Only these may:
#   platform/os/ and its tests in tests/platform/os/, which hold the code of
#     each system;
#   module/module_entry_*.cc and include/quendral/quendral.h, which the
#     build and the library's users see as they are;
#   the CMake files, which choose what is built (no C sources: not read).
# Everywhere else a test asks the layer (os::kRunsOnWindows) or is put in a
# file of one system (*_posix_test.cc, *_win32_support.cc ...) that the build
# picks.
#
# Usage: check-os-tests.sh [SOURCE_DIR]   (default: this script's checkout)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# The macros the compilers define for a system or for themselves.
macros='_WIN32|_WIN64|WIN32|WIN64|_WINDOWS|__WINDOWS__|__CYGWIN__|__MINGW32__|__MINGW64__'
macros+='|_MSC_VER|__linux__|__linux|linux|__gnu_linux__|__APPLE__|__MACH__|__unix__|__unix|unix'
macros+='|__FreeBSD__|__NetBSD__|__OpenBSD__|__DragonFly__|__sun|_AIX|__ANDROID__|__HAIKU__'
conditional="^[[:space:]]*#[[:space:]]*(if|ifdef|ifndef|elif|elifdef|elifndef)\\b.*\\b($macros)\\b"

allowed='^(platform/os/|tests/platform/os/|module/module_entry_[^/]*\.cc$|include/quendral/quendral\.h$)'
source_files='\.(c|cc|cpp|cxx|h|hh|hpp|hxx|inc|ipp|rc)$'

# The tracked files; outside a git checkout, every file but the build trees.
list_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files
  else
    find . -path './build*' -prune -o -type f -print | sed 's|^\./||'
  fi
}

mapfile -t files < <(list_files | grep -E "$source_files" | grep -vE "$allowed" || true)
if ((${#files[@]} == 0)); then
  exit 0
fi
if found=$(grep -nE "$conditional" -- "${files[@]}"); then
  echo "Only the operating-system layer (platform/os) may test which system it is on." >&2
  echo "Ask os::kRunsOnWindows, or move the code to a *_posix / *_win32 file:" >&2
  echo "$found" >&2
  echo "$(cut -d: -f1 <<<"$found" | sort -u | wc -l) file(s) test the system." >&2
  exit 1
fi
