# The two set-up commands of the README, for a fresh machine:
#   make demo   builds the tools and runs them on generated sample images
#   make test   builds everything and runs every test
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all configure demo test clean

all: configure
	cmake --build $(BUILD) -j $(JOBS)

configure:
	@sh scripts/install-deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

demo: all
	sh scripts/demo $(BUILD)

test: all
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
