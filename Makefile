# Thin wrapper over the CMake presets; the tool ends up at build/vertigrow.
.PHONY: all build demo test clean

all: build

build:
	cmake --preset default
	cmake --build --preset default

demo: build
	@echo "--- input: examples/bracket.txt"
	@cat examples/bracket.txt
	@echo "--- running: build/vertigrow 2 2 0.5 examples/bracket.txt build/bracket.out"
	@build/vertigrow 2 2 0.5 examples/bracket.txt build/bracket.out
	@echo "--- output: build/bracket.out"
	@cat build/bracket.out

test: build
	ctest --preset default

clean:
	rm -rf build

# Speed and memory figures of the built tool; see bench/run.sh.
.PHONY: bench
bench: build
	bash bench/run.sh

# The libFuzzer targets (clang, sanitizers), each run for FUZZ_SECONDS
# seconds from its seed corpus; see tests/fuzz/run.sh.
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) sh tests/fuzz/run.sh build-fuzz
