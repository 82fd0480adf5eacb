# Thin wrapper over CMake. `make test` is what CI runs.
BUILD_DIR := build
ASAN_DIR := build-asan
FUZZ_DIR := build-fuzz
CMAKE_FLAGS := -G Ninja

.PHONY: deps build run test package package-check bench soak test-asan fuzz fuzz-smoke clean

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

# The Debian package, build/stacklume_<version>_<arch>.deb, then the checks Debian's tools make of it.
package: build
	@cmake --build $(BUILD_DIR) --target package

package-check: package
	@scripts/check-package "$$(ls -t $(BUILD_DIR)/stacklume_*.deb | head -n 1)"

bench: build
	@for program in $(BUILD_DIR)/bench/*_bench; do $$program --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done

# Ten million ticks of random play against the rules of the game, a new seed each time; not in `make test`.
soak: build
	@$(BUILD_DIR)/bench/engine_soak

# Sanitizers stop at the first report so that none goes unnoticed; the game started by the
# end-to-end tests inherits the options, and a report at its exit fails the test.
test-asan: deps
	@cmake -S . -B $(ASAN_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DSTACKLUME_SANITIZE=ON -DSTACKLUME_BENCHMARKS=OFF >/dev/null
	@cmake --build $(ASAN_DIR)
	@cd $(ASAN_DIR) && ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt:print_suppressions=0 ctest --output-on-failure

# The libFuzzer targets, a clang build of their own (fuzz/CMakeLists.txt). `fuzz/run TARGET
# SECONDS` runs one; fuzz-smoke runs each target (one per seed folder) for 20 seconds and fails on
# the first finding, showing the end of its report.
fuzz: deps
	@cmake -S fuzz -B $(FUZZ_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_DIR)

fuzz-smoke: fuzz
	@for seeds in fuzz/corpus/*/; do \
		target=$$(basename $$seeds); log=$(FUZZ_DIR)/smoke-$$target.log; \
		if fuzz/run $$target 20 >$$log 2>&1; then \
			echo "$$target: $$(grep -o 'Done [0-9]* runs' $$log)"; \
		else \
			tail -n 60 $$log; echo "$$target: FAILED (whole report in $$log)"; exit 1; \
		fi; \
	done

clean:
	@rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
