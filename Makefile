# The project's commands. `make run` and `make test` are the README's two.
BUILD       ?= build
BUILD_ASAN  ?= build-sanitize
JOBS        ?= 2
CMAKE_FLAGS ?=

PREFIX      ?= $(HOME)/.local

.PHONY: all deps build run install package package-check screenshots test test-sanitize bench fuzz-build fuzz-smoke fuzz clean

BUILD_FUZZ    ?= build-fuzz
FUZZ_SECONDS  ?= 60
FUZZ_TARGETS  := vector matrix token plan settings table runsheet

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVAN_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

# The desktop program on a bundled example plan (a rotatable central
# composite design). Without a display it says so and prints the plan's
# full report from the batch tool instead.
EXAMPLE ?= examples/ccr2-strength.mpl
run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	    $(BUILD)/bin/orvan32 $(EXAMPLE); \
	else \
	    echo "No display is available (neither DISPLAY nor WAYLAND_DISPLAY is set):"; \
	    echo "orvan32 cannot open its window, so here is the batch tool's report of $(EXAMPLE)."; \
	    echo; \
	    $(BUILD)/bin/orvan report $(EXAMPLE); \
	fi

# The program, its modules, plug-ins, help and examples, and the desktop's
# entry and icon, under $(PREFIX) (bin/, include/, share/).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The .deb and the .rpm of the Release build, in $(BUILD)/packages/.
package: build
	cd $(BUILD) && cpack -G "DEB;RPM"

# The packages checked as a machine meets them: lintian, apt-get install,
# the installed programs run, the desktop entry and metainfo validated, the
# package removed without a trace (needs root).
package-check: package
	tests/package/check-packages.sh $(BUILD)

# Screenshots of the desktop program for the README (needs Xvfb).
screenshots: build
	scripts/screenshots.sh $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-sanitize: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVAN_WERROR=ON \
	      -DORVAN_SANITIZE=ON -DORVAN_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_ASAN) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(BUILD_ASAN) --output-on-failure -j$(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DORVAN_FUZZ=ON -DORVAN_BUILD_TESTS=OFF -DORVAN_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_FUZZ) -j$(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

# Replays every seed corpus once: a quick check that no known input fails.
fuzz-smoke: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	    echo "== fuzz_$$t"; \
	    $(BUILD_FUZZ)/bin/fuzz_$$t -runs=0 fuzz/corpus/$$t || exit 1; \
	done

# Explores each target for FUZZ_SECONDS; new inputs go to build-fuzz/corpus.
fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	    mkdir -p $(BUILD_FUZZ)/corpus/$$t; \
	    echo "== fuzz_$$t ($(FUZZ_SECONDS) s)"; \
	    $(BUILD_FUZZ)/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	        $(BUILD_FUZZ)/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)
