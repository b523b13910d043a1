#!/bin/sh
# The library and the tool as their users get them: installed into a
# temporary prefix, unpacked from the Debian package, or from the layout of
# the Windows kit, and then used.
#
#   consumers.sh find-package BUILD SOURCE   C program built through find_package
#   consumers.sh pkg-config BUILD SOURCE     C program built through pkg-config
#   consumers.sh deb BUILD SOURCE            the Debian package's tool
#   consumers.sh subproject BUILD SOURCE [LAUNCHER]
#                                            C program of a project that adds
#                                            this one as a subdirectory
#   consumers.sh windows-kit BUILD SOURCE CC EMULATOR...
#                                            C program cross-compiled against the
#                                            import library, run under EMULATOR
set -eu

if [ $# -lt 3 ]; then
  echo "usage: $0 find-package|pkg-config|deb|subproject|windows-kit BUILD SOURCE [CC EMULATOR...]" >&2
  exit 2
fi
mode=$1
build=$2
source=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
consumer=$source/tests/install/consumer
unid=0123456789ABCDEF0123456789ABCDEF
sample_json=$source/scripts/demo/sales.json

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

install_prefix() {
  cmake --install "$build" --prefix "$prefix" >/dev/null
}

# The sample database, made by the installed tool (run through the commands
# given) in the data directory DATA as that tool names it.
make_sample() {
  data=$1
  shift
  mkdir -p "$work/data"
  "$@" --data "$data" db import sales.nsf "$sample_json" >/dev/null
}

# Runs the consumer (the commands given) on the sample data directory and
# checks that it saw the version and that the repair succeeded.
check_repair() {
  output=$(NOTES_DATA_DIR=$data "$@") || fail "consumer: $output"
  echo "$output"
  case $output in
    "version 1.2.0"*"FixRichTextFields: 0"*) ;;
    *) fail "unexpected consumer output" ;;
  esac
}

# Whether the tool (the commands given) shows the sample document the same
# with and without its hidden paragraphs: none is hidden.
shown_equals_all() {
  [ "$("$@" --data "$data" show sales.nsf $unid)" = \
    "$("$@" --data "$data" show sales.nsf $unid --all)" ]
}

case $mode in
  find-package)
    install_prefix
    cmake -S "$consumer" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
    cmake --build "$work/build" >/dev/null
    tool=$prefix/bin/quendral
    make_sample "$work/data" "$tool"
    ! shown_equals_all "$tool" || fail "the sample has no hidden paragraph"
    check_repair "$work/build/consumer" sales.nsf $unid
    shown_equals_all "$tool" || fail "paragraphs still hidden after the repair"
    ;;
  pkg-config)
    install_prefix
    export PKG_CONFIG_PATH="$(dirname "$(find "$prefix" -name quendral.pc)")"
    cc -o "$work/consumer" "$consumer/consumer.c" $(pkg-config --cflags --libs quendral)
    tool=$prefix/bin/quendral
    make_sample "$work/data" "$tool"
    export LD_LIBRARY_PATH="$(pkg-config --variable=libdir quendral)"
    check_repair "$work/consumer" sales.nsf $unid
    shown_equals_all "$tool" || fail "paragraphs still hidden after the repair"
    ;;
  deb)
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
    package=$(find "$work/package" -maxdepth 1 -name 'quendral_1.2.0_*.deb')
    [ -n "$package" ] || fail "no quendral_1.2.0_*.deb"
    dpkg-deb -f "$package" Depends | grep -q libsqlite3 || fail "no dependency on SQLite declared"
    dpkg-deb -x "$package" "$work/root"
    tool=$work/root/usr/bin/quendral
    [ "$("$tool" --version | head -n 1)" = "quendral 1.2.0" ] || fail "quendral --version"
    "$tool" --help | grep -q "Exit codes" || fail "quendral --help"
    find "$work/root" -name 'quendral.1*' | grep -q . || fail "no man page"
    find "$work/root" -name 'libquendral.so.1' | grep -q . || fail "no libquendral.so.1"
    ;;
  subproject)
    # Only the library and what it needs are built, unoptimised, with the
    # compiler launcher of this build. The tree stays in BUILD, so that a
    # run after the first builds only what changed.
    parent=$build/subproject
    cmake -S "$source/tests/install/subproject" -B "$parent" -G Ninja \
      -DQUENDRAL_SOURCE_DIR="$source" -DQUENDRAL_TESTS=OFF -DQUENDRAL_BENCH=OFF \
      -DCMAKE_C_COMPILER_LAUNCHER="${1:-}" -DCMAKE_CXX_COMPILER_LAUNCHER="${1:-}" >/dev/null
    cmake --build "$parent" --target consumer >/dev/null
    [ -f "$parent/quendral/lib/libquendral.so" ] || fail "no library in the subproject's tree"
    make_sample "$work/data" "$build/bin/quendral"
    check_repair "$parent/consumer" sales.nsf $unid
    ;;
  windows-kit)
    cc=$1
    shift
    install_prefix
    "$cc" -o "$prefix/bin/consumer.exe" "$consumer/consumer.c" -I"$prefix/include" \
      "$prefix/lib/libQUENDRAL.dll.a"
    # The Windows programs see the files through Wine's Z: drive (and would
    # take "/path" for an option); the tool runs with no DLL beside it but
    # QUENDRAL.dll.
    sample_json="Z:$sample_json"
    data="Z:$work/data"
    make_sample "$data" "$@" "$prefix/bin/quendral.exe"
    check_repair "$@" "$prefix/bin/consumer.exe" sales.nsf $unid
    shown_equals_all "$@" "$prefix/bin/quendral.exe" || fail "paragraphs still hidden"
    ;;
  *)
    fail "unknown mode $mode"
    ;;
esac
echo "passed: $mode"
