# The two commands a newcomer needs: `make run` and `make test`. Both install what they need.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 120
SHOTS      ?= screenshots
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: setup build run test test-sanitize bench fuzz clean

setup:
	@bash tools/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

# Starts the host IDE with the package loaded; without a display it runs the scripted tour
# headless and writes its screenshots to $(SHOTS)/.
run: build
	@bash tools/run.sh $(BUILD) $(SHOTS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The same suite under AddressSanitizer, UndefinedBehaviorSanitizer and leak checking.
test-sanitize: setup
	@cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD_ASAN) -j$(JOBS)
	@cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done; true

# The text readers under libFuzzer (clang, ASan, UBSan), FUZZ_SECONDS each: executions and
# findings per target; failing inputs land in tests/fuzz/corpus/, which `make test` replays.
fuzz: setup
	@bash tools/fuzz.sh $(BUILD_FUZZ) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)
