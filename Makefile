# The project's commands. `make run` and `make test` are the README's two.
BUILD       ?= build
BUILD_ASAN  ?= build-sanitize
JOBS        ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps build run test test-sanitize bench clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVAN_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

# The program's main job on a bundled example: the full report of a
# rotatable central composite design after a full analysis.
run: build
	$(BUILD)/bin/orvan report examples/ccr2-strength.mpl

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

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
