# make        builds the game, its data and its tests into build/
# make run    builds everything and starts the game (ARGS="-record" passes options)
# make test   builds everything and runs every test, headless
# make bench  builds and runs the benchmarks
BUILD := build
JOBS ?= 2

.PHONY: all deps configure run test bench clean

all: configure
	cmake --build $(BUILD) -j$(JOBS)

deps:
	@bash tools/install-deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

run: all
	cd $(BUILD)/game && ./skidrunner $(ARGS)

test: all
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

bench: all
	cmake --build $(BUILD) --target skid_bench census -j$(JOBS)
	cd $(BUILD)/game && ../skid_bench && ../census

clean:
	rm -rf $(BUILD)
