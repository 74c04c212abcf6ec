# Tintlet: build for 32-bit Windows with MinGW-w64, run and test under Wine on a virtual display.
BUILD   ?= build
WIN     := $(BUILD)/win
NATIVE  := $(BUILD)/native
JOBS    ?= $(shell nproc)

.PHONY: all setup build run test bench soak screenshots clean

all: build

setup:
	@tools/setup.sh

$(WIN)/CMakeCache.txt:
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null

$(NATIVE)/CMakeCache.txt:
	@cmake -S . -B $(NATIVE) >/dev/null

build: setup $(WIN)/CMakeCache.txt $(NATIVE)/CMakeCache.txt
	@cmake --build $(WIN) -j $(JOBS) -- --no-print-directory
	@cmake --build $(NATIVE) -j $(JOBS) -- --no-print-directory

run: build
	@tools/run.sh $(WIN)

test: build
	@tools/test.sh $(NATIVE) $(WIN)

screenshots: build
	@tools/screenshots.sh $(WIN)

bench: build
	@tools/bench.sh $(WIN)

# A day of use: 100 000 ticks for leaks, the footprint after a minute in the zoom form, the CPU per form.
soak: build
	@tools/soak.sh $(WIN)

clean:
	rm -rf $(BUILD) out
