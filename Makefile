# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README. Each installs what the project needs,
# configures and builds; `test` then runs every test, `run` starts the station.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test run format format-check clean

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

# Sources follow .clang-format; CI refuses a tree that does not.
format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	@rm -rf $(BUILD)
