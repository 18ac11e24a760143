# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test install clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The desktop program, with the simulated card.
run: build
	@$(BUILD)/src/wx/qv --simulate

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

install: build
	@cmake --install $(BUILD)

clean:
	@rm -rf $(BUILD) build-asan
