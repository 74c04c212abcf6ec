# Tintlet: build for 32-bit (x86) and 64-bit (x64) Windows with MinGW-w64, run and test under Wine on a
# virtual display. ARCH=x86|x64|all chooses what runs under Wine; by default the x86 build where this
# machine executes 32-bit programs, else the x64 one (tools/arches.sh).
BUILD   ?= build
NATIVE  := $(BUILD)/native
JOBS    ?= $(shell nproc)
# The first build folder to run here, for the commands that start one program.
ONE     = $$(tools/arches.sh --one $(BUILD))

.PHONY: all setup build run test bench soak screenshots dist fuzz clean

all: build

setup:
	@tools/setup.sh

build: setup
	@tools/build.sh $(BUILD) $(JOBS)

run: build
	@win=$(ONE) && tools/run.sh $$win

test: build
	@wins=$$(tools/arches.sh $(BUILD)) && tools/test.sh $(NATIVE) $$wins

screenshots: build
	@win=$(ONE) && tools/screenshots.sh $$win

bench: build
	@win=$(ONE) && tools/bench.sh $$win

# A day of use: 100 000 ticks for leaks, the footprint after a minute in the zoom form, the CPU per form.
soak: build
	@win=$(ONE) && tools/soak.sh $$win

# Coverage-guided fuzzing of the pure readers, FUZZ_SECONDS each (built with clang, apart from the rest).
FUZZ_SECONDS ?= 60
fuzz: setup
	@tools/fuzz.sh $(BUILD)/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The two zips a Windows user downloads, and their checksums, in dist/.
dist: build
	@tools/dist.sh $(BUILD) dist

clean:
	rm -rf $(BUILD) out dist
