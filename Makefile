# The two set-up commands of the README, and the steps behind them.
.PHONY: deps build build-sanitize test test-native test-sanitize demo fuzz bench format clean

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

# The sanitizer suite runs last so that its summary closes the run.
test: test-native test-sanitize

demo: build
	@bash scripts/demo.sh build/bin/quendral

bench: build
	@bash scripts/bench.sh

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

format:
	git ls-files '*.cc' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-fuzz
