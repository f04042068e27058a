# The two commands a user needs: `make run` and `make test`. Both install
# whatever Debian packages are missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup setup-test configure build run test bench fuzz install uninstall clean

all: build

setup:
	./tools/setup.sh

setup-test:
	./tools/setup.sh --test

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: setup configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/glimmora

test: setup-test configure
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 600

install: build
	cmake --install $(BUILD)

uninstall:
	cmake -DMANIFEST=$(BUILD)/install_manifest.txt -P cmake/GlimmoraUninstall.cmake

clean:
	rm -rf $(BUILD)
