# Front door. `make run` and `make test` install what is missing (Debian,
# as root), build, and run; see README.md. QV_ARCH=i686|x86_64 forces one
# of the two Windows builds (tools/arch.sh decides otherwise).
SHELL := /bin/bash
ROOT := $(CURDIR)

.PHONY: all run test dist bench deps build build-win build-host fuzz clean

all: build

deps:
	@tools/install-deps.sh

build-win: deps
	@tools/build-win.sh

build-host: deps
	@[ -f build/host/build.ninja ] || cmake --preset host >/dev/null
	@cmake --build build/host

build: build-win

run: build-win
	@tools/run.sh

test: build-win build-host
	@tools/run-tests.sh

dist: deps
	@tools/build-win.sh i686 x86_64
	@tools/dist.sh

bench: build-win
	@[ -f build/bench/build.ninja ] || cmake --preset bench >/dev/null
	@cmake --build build/bench
	@tools/run-bench.sh

fuzz: deps
	@[ -f build/fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
	@cmake --build build/fuzz
	@mkdir -p build/fuzz/corpus && cp -n tests/fixtures/*.qvs build/fuzz/corpus/ 2>/dev/null || true
	@build/fuzz/tests/fuzz/settings_fuzz -max_total_time=$${FUZZ_SECONDS:-60} build/fuzz/corpus
	@mkdir -p build/fuzz/corpus-dib && cp -n tests/fixtures/dib/*.bmp build/fuzz/corpus-dib/ 2>/dev/null || true
	@build/fuzz/tests/fuzz/dib_fuzz -max_total_time=$${FUZZ_SECONDS:-60} build/fuzz/corpus-dib

clean:
	rm -rf build
