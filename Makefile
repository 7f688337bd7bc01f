# Front door: `make run` and `make test` set the machine up, build and go.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DPLENWICK_WERROR=ON

.PHONY: setup configure build run test bench install package format clean

setup:
	bash scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/app/plenwick

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j 2

bench: build
	bash bench/run.sh $(BUILD_DIR)
	bash bench/batch.sh $(BUILD_DIR)

install: build
	cmake --install $(BUILD_DIR) --prefix $(or $(PREFIX),/usr/local)

package: build
	cmake --build $(BUILD_DIR) --target package

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
