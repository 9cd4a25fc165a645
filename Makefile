# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test deps configure build clean

run: build
	$(BUILD)/bin/pakaponta

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > /dev/null

build: configure
	cmake --build $(BUILD) -j$(JOBS)

clean:
	rm -rf $(BUILD)
