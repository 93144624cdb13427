# The two commands a user needs: `make run` and `make test`. Both install what
# is missing on a Debian 12 machine first, so they also work on a fresh one.

BUILD      := build
WIN_DIR    := $(BUILD)/win
NATIVE_DIR := $(BUILD)/native
JOBS       ?= $(shell nproc)

.PHONY: all setup build run test bench dist mutants clean

all: build

setup:
	@tools/setup-host.sh
	@tools/wine-prefix.sh
	@KORVANE_LANG=en_US.UTF-8 tools/wine-prefix.sh

$(WIN_DIR)/build.ninja:
	cmake -S . -B $(WIN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

$(NATIVE_DIR)/build.ninja:
	cmake -S . -B $(NATIVE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

build: setup $(WIN_DIR)/build.ninja
	cmake --build $(WIN_DIR) -j $(JOBS)

run: build
	tools/run-korvane.sh

# The display of the tests labelled "monitors": a primary monitor of 3840 x
# 2160 with a tall taskbar at the bottom, and one of 1280 x 1024 left of and
# above it with its taskbar on the left.
TEST_MONITORS  := 3840x2160+0+0 1280x1024-1280-512
TEST_WORK_AREA := -1232,-512,3840,2060

# One ctest run over both builds, so the suite ends with one summary; before
# it, the few tests that need several monitors on a display of their own.
test: build $(NATIVE_DIR)/build.ninja
	cmake --build $(NATIVE_DIR) -j $(JOBS)
	printf 'subdirs("native")\nsubdirs("win")\n' > $(BUILD)/CTestTestfile.cmake
	env -u DISPLAY KORVANE_MONITORS="$(TEST_MONITORS)" KORVANE_WORK_AREA="$(TEST_WORK_AREA)" \
	    tools/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -L monitors; \
	monitors=$$?; \
	tools/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE monitors \
	    && exit $$monitors

# A report, not a test: start-up, memory, launch and dialog times, idle CPU and
# file sizes of the launcher beside a bare program that shows one window.
bench: build
	cmake --build $(WIN_DIR) -j $(JOBS) --target korvane_bench
	tools/with-display.sh tools/wine-run.sh $(WIN_DIR)/bin/korvane_bench.exe

# The release files in build/win/dist: the installers for the machine and for
# one user, the zip, SHA256SUMS and the winget manifest (the version is set
# once, in CMakeLists.txt). Only what ships is built, not the tests.
# SIGN_PFX=cert.pfx SIGN_PASSWORD_FILE=pass.txt [SIGN_TIMESTAMP_URL=...] signs
# them (docs/releasing.md); without, nothing is signed.
dist: setup $(WIN_DIR)/build.ninja
	cmake -S . -B $(WIN_DIR) -DKORVANE_SIGN_PFX="$(if $(SIGN_PFX),$(abspath $(SIGN_PFX)))" \
	      -DKORVANE_SIGN_PASSWORD_FILE="$(if $(SIGN_PASSWORD_FILE),$(abspath $(SIGN_PASSWORD_FILE)))" \
	      -DKORVANE_SIGN_TIMESTAMP_URL="$(SIGN_TIMESTAMP_URL)" >/dev/null
	cmake --build $(WIN_DIR) -j $(JOBS) --target dist
	@ls -l $(WIN_DIR)/dist

# A report, not a test: the faults of tools/mutants.txt put into the program
# one at a time, and which of them the tests catch. MUTANT=PATTERN picks some.
mutants: build $(NATIVE_DIR)/build.ninja
	cmake --build $(NATIVE_DIR) -j $(JOBS)
	JOBS=$(JOBS) tools/with-display.sh python3 tools/mutants.py $(MUTANT)

clean:
	rm -rf $(BUILD)
