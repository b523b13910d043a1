# The set-up commands of the README, and the steps behind them.
.PHONY: deps build build-sanitize test check-os-tests test-native test-sanitize stress demo fuzz bench format clean \
        build-windows-x64 build-windows-x86 test-windows test-windows-x64 test-windows-x86 package

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

build-sanitize: deps
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize

test-native: build
	ctest --preset default

test-sanitize: build-sanitize
	ctest --preset sanitize

# Windows: the x86-64 build runs the whole test suite under Wine; the 32-bit
# QUENDRAL.dll is built and its export table checked, but not run.
build-windows-x64: deps
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64

build-windows-x86: deps
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86

test-windows-x64: build-windows-x64
	ctest --preset windows-x64

test-windows-x86: build-windows-x86
	ctest --preset windows-x86

test-windows: test-windows-x86 test-windows-x64

# The whole suite: first the check that only the operating-system layer asks
# which system it is on, then native, Windows (x86-64 under Wine, and the
# 32-bit DLL), and the sanitizer suite last, so that its summary closes the run.
test: check-os-tests test-native test-windows test-sanitize

check-os-tests:
	@bash scripts/check-os-tests.sh

# The long forms of the reliability harnesses, whose short forms run in the
# test suite: 5,000 kills of the tool at random instants, every fault of a
# failing disk in turn (under quendral_faults, the tool's test build), and
# eight writers on one database for five minutes.
stress: build
	build/bin/kill_harness 5000 build/bin/quendral
	build/bin/fault_harness build/bin/quendral_faults
	build/bin/contention_harness 300 8

# Only what the demo runs: the library and the tool, in the same build tree.
demo: deps
	cmake --preset default >/dev/null
	cmake --build --preset default --target quendral quendral_cli
	@bash scripts/demo.sh build/bin/quendral

# The Debian package (build/packages) and the Windows kit
# (build-windows-x86/packages): the 32-bit DLL with the x86-64 tool.
package: build
	cd build && cpack
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64 --target quendral_cli
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86
	cd build-windows-x86 && cpack

bench: build
	@bash scripts/bench.sh

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

format:
	git ls-files '*.cc' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-fuzz build-windows-x64 build-windows-x86
