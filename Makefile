# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run    install what is missing, build, run the program
#   make test   install what is missing, build, run the whole test suite
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=

.PHONY: all deps configure build run test bench format clean

all: build

deps:
	@tools/scripts/install-deps.sh "$(BUILD_DIR)"

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B "$(BUILD_DIR)" -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build "$(BUILD_DIR)" -j $(JOBS)

run: build
	@tools/scripts/run.sh "$(BUILD_DIR)"

test: build
	cd "$(BUILD_DIR)" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@tools/scripts/bench.sh "$(BUILD_DIR)"

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf "$(BUILD_DIR)"
