# The two commands: `make run` builds PELLINO.EXE and starts it under Wine; `make test` builds
# everything and runs every test. Both install what is missing first. `make fuzz` runs every fuzz
# target for FUZZ_SECONDS each (600 unless given) and the full kill-during-save sweep.

FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SECONDS ?= 20

.PHONY: all deps native asan win32 test test-native test-fuzz test-imports test-wine run bench fuzz dist clean

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

# A short run of every fuzz target, so that a change that breaks one fails here and not only in a
# long run.
test-fuzz: deps
	@echo "== fuzz targets, $(FUZZ_SMOKE_SECONDS) s each, two at a time"
	@FUZZ_JOBS=2 scripts/fuzz $(FUZZ_SMOKE_SECONDS)

test: test-native test-fuzz test-imports test-wine

fuzz: deps win32
	@scripts/fuzz $(FUZZ_SECONDS)
	@PELLINO_KILLS=50 scripts/test-wine 60_kill_during_save

run: win32
	@scripts/run

# What a Windows user takes away: the 32-bit program, both help files, the data file inspector and
# a read-me, in build/dist/ and zipped as build/dist/Pellino-<version>.zip.
dist: win32
	@scripts/dist

# The native benchmarks, then the start-up under Wine against a program that only shows a window
# (its ratios show at once a change that slows the start), then how long the notification's guard
# lasts under Wine.
bench: native
	@build/native/bench/pellino_bench
	@bench/wine-startup.sh
	@bench/wine-guard.sh

clean:
	rm -rf build
