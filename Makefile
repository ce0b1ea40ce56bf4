# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run    install what is missing, build, run the program
#   make test   install what is missing, build, run the whole test suite
# and `make package` builds the Debian package.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
# Ninja (installed by install-deps.sh) finds that there is nothing to rebuild in a fraction
# of a second. Expanded when the build folder is first configured, after deps ran; a build
# folder keeps the generator it was made with.
GENERATOR = $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
# The nested makes of the "Unix Makefiles" generator need not announce every folder.
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run test package bench format clean

all: build

deps:
	@tools/scripts/install-deps.sh "$(BUILD_DIR)"

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B "$(BUILD_DIR)" -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	@cmake --build "$(BUILD_DIR)" -j $(JOBS)

run: build
	@tools/scripts/run.sh "$(BUILD_DIR)"

# On a terminal --progress keeps the passing tests on one line; failures, their output and
# the summary are always printed (and every line in a log, as on CI).
test: build
	@cd "$(BUILD_DIR)" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --progress -j $(JOBS)

package: build
	@cmake --build "$(BUILD_DIR)" --target package

bench: build
	@tools/scripts/bench.sh "$(BUILD_DIR)"

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf "$(BUILD_DIR)"
