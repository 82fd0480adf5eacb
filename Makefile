# Thin wrapper over CMake. `make test` is what CI runs.
BUILD_DIR := build
ASAN_DIR := build-asan
CMAKE_FLAGS := -G Ninja

.PHONY: deps build run test bench soak test-asan clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR)

# The game looks for its sounds and help page in the current directory: start it beside them.
run: build
	@cd $(BUILD_DIR) && ./stacklume

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure

bench: build
	@for program in $(BUILD_DIR)/bench/*_bench; do $$program --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done

# Ten million ticks of random play against the rules of the game, a new seed each time; not in `make test`.
soak: build
	@$(BUILD_DIR)/bench/engine_soak

# Sanitizers stop at the first report so that none goes unnoticed.
test-asan: deps
	@cmake -S . -B $(ASAN_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DSTACKLUME_SANITIZE=ON -DSTACKLUME_BENCHMARKS=OFF >/dev/null
	@cmake --build $(ASAN_DIR)
	@cd $(ASAN_DIR) && ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure

clean:
	@rm -rf $(BUILD_DIR) $(ASAN_DIR)
