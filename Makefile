# The two commands: `make run` builds PELLINO.EXE and starts it under Wine; `make test` builds
# everything and runs every test. Both install what is missing first.

.PHONY: all deps native asan win32 test test-native test-imports test-wine run bench clean

all: native win32

deps:
	@scripts/install-deps

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native

asan: deps
	@cmake --preset native-asan >/dev/null
	@cmake --build --preset native-asan

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

test-native: native asan
	@echo "== native tests"
	@ctest --preset native --timeout 120
	@echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
	@ctest --preset native-asan --timeout 300

# The shipped program must load on the oldest Windows it names: no import outside the checked list.
test-imports: win32
	@scripts/check-imports build/win32/PELLINO.EXE tests/imports/pellino-imports.txt

test-wine: win32
	@scripts/test-wine

test: test-native test-imports test-wine

run: win32
	@scripts/run

bench: native
	@build/native/bench/pellino_bench

clean:
	rm -rf build
