# The two commands a user needs: `make run` and `make test`. Both install
# whatever Debian packages are missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
# A compiler cache, where one is installed, makes rebuilds of other trees cheap.
CCACHE := $(shell command -v ccache 2>/dev/null)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))
# The build's progress without make's "Entering/Leaving directory" lines from
# the makefiles cmake generates (they see this through MAKEFLAGS).
MAKEFLAGS += --no-print-directory

.PHONY: all setup setup-test setup-desktop configure build run test desktop-test bench fuzz install uninstall package clean

all: build

setup:
	./tools/setup.sh

setup-test:
	./tools/setup.sh --test

setup-desktop:
	./tools/setup.sh --desktop

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

# Only what the program needs: itself, its sound module, its pictures, sounds
# and manual page. `make test` builds the rest.
build: setup configure
	cmake --build $(BUILD) -j$(JOBS) --target glimmora

run: build
	./$(BUILD)/glimmora

test: setup-test configure
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 600 -LE desktop

# The clock against real screen savers, sessions and compositors. Their
# packages are many, so they have their own set-up and target.
desktop-test: setup-test setup-desktop configure
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 600 -L desktop

# Not part of `make test`: what the running clock costs, against other clocks
# (writes bench/results.md).
bench: setup-test configure
	cmake --build $(BUILD) -j$(JOBS) --target glimmora bench-bareqt bench-tick
	/usr/bin/python3 bench/run_bench.py --build $(BUILD)

# The fuzz targets for longer than `make test` runs them (FUZZ_SECONDS each),
# in the sanitizer tree; what they find stays in $(BUILD)/tests/fuzz/.
FUZZ_SECONDS ?= 300
FUZZ_TARGETS = fuzz_profile fuzz_numeric fuzz_skin fuzz_bmp
fuzz: setup-test
	cmake -DSOURCE_DIR=$(CURDIR) -DBUILD_DIR=$(abspath $(BUILD))/asan -DJOBS=$(JOBS) \
		-P tests/soak/SanitizerTree.cmake
	for t in $(FUZZ_TARGETS); do \
		cmake -DFUZZER=$(abspath $(BUILD))/asan/tests/fuzz/$$t \
			-DCORPUS=$(CURDIR)/tests/fuzz/corpus/$$t -DWORK=$(abspath $(BUILD))/tests/fuzz/$$t \
			-DSECONDS=$(FUZZ_SECONDS) -DMAX_LEN=8192 -P tests/fuzz/RunFuzzer.cmake || exit 1; \
	done

install: build
	cmake --install $(BUILD)

uninstall:
	cmake -DMANIFEST=$(BUILD)/install_manifest.txt -P cmake/GlimmoraUninstall.cmake

# The Debian package, $(BUILD)/glimmora_<version>_<arch>.deb, from what
# `make install` installs, under /usr: only the program and what it depends on
# are built (on all cores), not the tests.
package: build
	./tools/setup.sh --package
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
