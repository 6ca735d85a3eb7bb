# Front door of the project: thin over CMake and the scripts.
#
#   make run     run the screen saver (on $DISPLAY through Wine; without a
#                display on a virtual one, saving a screenshot)
#   make settings  open the settings dialog the same way (without a display:
#                a screenshot of it, then it is closed)
#   make test    build everything and run every test
#   make build   build the Windows and native programs
#   make dist    build the release: build/dist/Glintra-<version>-setup.exe
#                and build/dist/Glintra-<version>-win64.zip
#
# Every target installs what it needs first (scripts/setup.sh).

BUILD      ?= build
JOBS       ?= $(shell nproc)
GENERATOR  ?= Ninja
CTEST_ARGS ?=

WINDOWS_DIR     := $(BUILD)/windows
NATIVE_DIR      := $(BUILD)/native
NATIVE_TEST_DIR := $(BUILD)/native-test
DIST_DIR        := $(abspath $(BUILD))/dist

.PHONY: all setup build windows native native-test test test-native test-windows \
        run run-native settings bench fuzz dist clean

all: build

setup:
	@scripts/setup.sh

$(WINDOWS_DIR)/build.ninja: | setup
	cmake -S . -B $(WINDOWS_DIR) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DGLINTRA_DIST_DIR=$(DIST_DIR)

$(NATIVE_DIR)/build.ninja: | setup
	cmake -S . -B $(NATIVE_DIR) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(NATIVE_TEST_DIR)/build.ninja: | setup
	cmake -S . -B $(NATIVE_TEST_DIR) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	  -DGLINTRA_SANITIZE=ON -DGLINTRA_BENCHMARKS=OFF

windows: setup $(WINDOWS_DIR)/build.ninja
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

native: setup $(NATIVE_DIR)/build.ninja
	cmake --build $(NATIVE_DIR) -j $(JOBS)

native-test: setup $(NATIVE_TEST_DIR)/build.ninja
	cmake --build $(NATIVE_TEST_DIR) -j $(JOBS)

build: windows native

# Native unit tests (sanitizers), then the Windows tests under Wine. Both
# runs are made before the result is given, so one failing side does not
# hide the other.
test: windows native native-test
	@rc=0; \
	cd $(NATIVE_TEST_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS) || rc=1; \
	cd $(CURDIR)/$(WINDOWS_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS) || rc=1; \
	exit $$rc

test-native: native-test
	cd $(NATIVE_TEST_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

test-windows: windows
	cd $(WINDOWS_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

run: windows native
	@scripts/run.sh windows

run-native: native
	@scripts/run.sh native

settings: windows
	@scripts/run.sh settings

bench: native windows
	@scripts/bench.sh

# The installer and the archive only (a build folder made before dist existed
# learns where they go).
dist: setup $(WINDOWS_DIR)/build.ninja
	cmake -S . -B $(WINDOWS_DIR) -DGLINTRA_DIST_DIR=$(DIST_DIR) >/dev/null
	cmake --build $(WINDOWS_DIR) -j $(JOBS) --target glintra_dist
	@ls -l $(DIST_DIR)

fuzz: setup
	@scripts/fuzz-dib.sh $(FUZZ_SECONDS)
	@scripts/fuzz-decimal.sh $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
