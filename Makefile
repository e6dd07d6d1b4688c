# The two set-up commands of the README, for a fresh machine:
#   make demo   builds the tools and runs them on generated sample images
#   make test   builds and runs every test: normally, under AddressSanitizer
#               and UndefinedBehaviorSanitizer, and each fuzz target briefly
# and the parts of the second, for the daily loop:
#   make check            the tests of the normal build
#   make check-sanitize   the tests built with the sanitizers (build-sanitize/)
#   make fuzz-smoke       each fuzz target for FUZZ_SECONDS (build-fuzz/, clang)
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 20
CMAKE_FLAGS ?=

.PHONY: all deps demo test check check-sanitize fuzz-smoke bench clean

all: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@sh scripts/install-deps

demo: all
	sh scripts/demo $(BUILD)

# The normal tests come last, so that their summary closes the output.
test: fuzz-smoke check-sanitize check

check: all
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

check-sanitize: deps
	cmake -S . -B build-sanitize -DD88_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-sanitize -j $(JOBS)
	ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

fuzz-smoke: deps
	sh fuzz/run $(FUZZ_SECONDS) build-fuzz

bench: deps
	sh bench/run-tools build-bench

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz build-bench
