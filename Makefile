# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README. Each installs what the project needs,
# configures and builds; `test` then runs every test, `run` starts the station.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test run install package format format-check clean \
        test-sanitizers fuzz fuzz-smoke pot update-po

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -Wno-dev >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The station on the demo test; its configuration and result log are written
# beside the program, in $(BUILD)/src/app/.
run: build
	@$(BUILD)/src/app/tevrix-student examples/demo.tvf

# Installs the station below PREFIX, staged below DESTDIR when given
# (docs/station-folders.md says what goes where).
PREFIX ?= /usr/local
install: build
	@DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, $(BUILD)/tevrix-student_<version>_<arch>.deb.
package: build
	@cmake --build $(BUILD) --target package

# The interface texts: the template po/default.pot, and the catalogues
# brought up to date with it (docs/translations.md).
pot:
	@bash scripts/extract-messages.sh po/default.pot

update-po:
	@bash scripts/update-po.sh

# Sources follow .clang-format; CI refuses a tree that does not.
format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# ccache, when there, spares rebuilding what did not change.
LAUNCHER = $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# The core and its tests again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer in a folder of their own; any report fails.
SAN_BUILD ?= build-sanitizers
SAN_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
SAN_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
          UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-sanitizers: deps
	@cmake -S . -B $(SAN_BUILD) -G Ninja -Wno-dev -DTEVRIX_BUILD_GUI=OFF $(LAUNCHER) \
	    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1 $(SAN_FLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$(SAN_FLAGS)" >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@# The crash tests fork and kill a thousand writers each: they run in the
	@# plain build; under the sanitizers they would take minutes.
	@cd $(SAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j $(JOBS) -E 'Crash[.]'

# The libFuzzer targets (fuzz/), built with clang in a folder of their own.
FUZZ_BUILD ?= build-fuzz
FUZZ_CXX ?= clang++-14
# Seconds each target runs in the smoke run, and the time one input may take.
FUZZ_SECONDS ?= 20
FUZZ_TIMEOUT ?= 10

fuzz: deps
	@cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja -Wno-dev -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) \
	    $(LAUNCHER) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz-smoke: fuzz
	@FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_TIMEOUT=$(FUZZ_TIMEOUT) bash fuzz/run.sh $(FUZZ_BUILD)

clean:
	@rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
