# The two everyday commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test install package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The desktop program, with the simulated card. It needs a display: without
# one, say how to go on before minutes of building end in GTK's refusal.
run:
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
		echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2; \
		echo "  Without one, work on data files with qvtool (after make build: $(BUILD)/tools/qvtool/qvtool --help)," >&2; \
		echo "  or start the desktop program on a virtual display: xvfb-run make run" >&2; \
		exit 1; \
	fi
	@$(MAKE) --no-print-directory build
	@$(BUILD)/src/wx/qv --simulate

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

install: build
	@cmake --install $(BUILD)

# The Debian package of what install installs, for /usr: $(BUILD)/qv_VERSION_ARCH.deb.
package: build
	@cd $(BUILD) && cpack --config CPackConfig.cmake >/dev/null
	@ls $(BUILD)/qv_*.deb

clean:
	@rm -rf $(BUILD) build-asan
