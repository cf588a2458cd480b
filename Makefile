# make        builds the game, its data and its tests into build/
# make run    builds everything and starts the game (ARGS="-record" passes options)
# make test   builds everything and runs every test, headless
# make bench  builds and runs the benchmarks
# make fuzz   runs every loader's fuzz target for FUZZ_SECONDS (600) each, keeping its corpus
# make golden re-records the golden demos' expected lines (say why in the commit)
# make install installs the game (PREFIX=/usr/local by default; DESTDIR is honoured)
# make package builds the Debian package build/skidrunner_VERSION_ARCH.deb
BUILD := build
JOBS ?= 2

.PHONY: all deps configure checks run test bench fuzz golden install package clean
FUZZ_SECONDS ?= 600

all: configure
	cmake --build $(BUILD) -j$(JOBS)

deps:
	@bash tools/install-deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

run: all
	cd $(BUILD)/game && ./skidrunner $(ARGS)

# The check builds: Clang with the sanitizers, GCC without optimisation, the fuzzers.
checks: all
	cmake --build $(BUILD) --target check_builds -j$(JOBS)

test: checks
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

fuzz: checks
	for t in map missions random demo replay datafile; do \
	    GAME_DIR=$(CURDIR)/$(BUILD)/game BUILD_DIR=$(CURDIR)/$(BUILD) \
	    bash tests/fuzz/run.sh $$t --seconds $(FUZZ_SECONDS) $(CURDIR)/$(BUILD)/fuzz-corpus/$$t || exit 1; \
	done

golden: all
	cmake --build $(BUILD) --target record_golden

bench: all
	cmake --build $(BUILD) --target skid_bench census -j$(JOBS)
	GAME_DIR=$(CURDIR)/$(BUILD)/game BUILD_DIR=$(CURDIR)/$(BUILD) SOURCE_DIR=$(CURDIR) \
	    bash tools/bench/bench.sh

install: all
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) $(if $(PREFIX),--prefix "$(PREFIX)")

package: all
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD)
