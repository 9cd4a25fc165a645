# The two commands of the README: `make run` and `make test`.
BUILD ?= build
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

.PHONY: run test test-asan format-check deps configure build web install clean

run: build
	$(BUILD)/bin/pakaponta

test: format-check build web
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# Every C++ file as clang-format writes it with the repository's .clang-format.
format-check: deps
	@./scripts/check-format.sh

# The suite again under AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan (the asan
# preset of CMakePresets.json); CI runs it after `make test`.
test-asan: deps
	@cmake --preset asan > /dev/null
	cmake --build --preset asan -j$(JOBS)
	ctest --preset asan -j$(JOBS)

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# The page (build-web/site: serve it with `python3 -m http.server -d build-web/site`) and the same
# program for Node (build-web/node/pakaponta.js), from the native build's tools and data.
WEB_BUILD ?= build-web
web: build
	@./scripts/install-web-deps.sh $(abspath $(WEB_BUILD))/deps
	@emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DPAKAPONTA_NATIVE_BIN=$(abspath $(BUILD))/bin \
		-DPAKAPONTA_WEB_DEPS=$(abspath $(WEB_BUILD))/deps > /dev/null
	cmake --build $(WEB_BUILD) -j$(JOBS)

# The program, its data, a desktop entry and the icons under PREFIX (make install PREFIX=~/.local).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(WEB_BUILD)
