# Thin wrapper: every target installs what it needs first.
.PHONY: deps build release test run bench fuzz clean

deps:
	sh scripts/install-deps

build: deps
	cmake --preset debug
	cmake --build --preset debug -j2

release: deps
	cmake --preset release
	cmake --build --preset release -j2

test: build
	ctest --preset debug

run: release
	sh scripts/run-demo build/release

bench: release
	build/release/bench/decode_bench

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j2
	mkdir -p build/fuzz/corpus && cp fuzz/corpus/* build/fuzz/corpus/
	build/fuzz/fuzz/decode_fuzz -max_total_time=60 -max_len=600 build/fuzz/corpus

clean:
	rm -rf build
