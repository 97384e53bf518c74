# Bramblehop: `make play` to build and start the game, `make test` to build
# and run every test. Both install what is missing first, each only what it
# needs: the game alone needs neither GoogleTest nor Google Benchmark, and
# builds none of the tests.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
# CI builds with WERROR=ON: a new warning fails the build there.
WERROR     ?= OFF
# The configurations live in CMakePresets.json (default, asan, fuzz); -B
# only matters when BUILD or ASAN_BUILD are moved.
PRESET_ARGS = -DBRAMBLEHOP_WERROR=$(WERROR)

.PHONY: all deps deps-tests configure configure-tests build play test test-asan assets assets-preview bench soak soak-real fuzz mutate clean \
        install uninstall package
# Where `make install` puts the game: bin/bramblehop (games/bramblehop under
# /usr and /usr/local), share/games/bramblehop, the menu entry, the icons and
# the manual page. Another prefix needs the rights to write it, e.g.
# sudo make install PREFIX=/usr/local.
PREFIX     ?= $(HOME)/.local

all: build

deps:
	@bash scripts/deps.sh

deps-tests:
	@bash scripts/deps.sh --tests

# The game's targets leave the test switch as it is, so a folder that has
# run the tests keeps them configured; they build only what they name.
configure: deps
	@cmake --preset default -B $(BUILD) $(PRESET_ARGS) >/dev/null

configure-tests: deps-tests
	@cmake --preset default -B $(BUILD) $(PRESET_ARGS) -DBUILD_TESTING=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) --target game_files

play: build
	cd $(BUILD)/game && ./Bramblehop

test: configure-tests
	@cmake --build $(BUILD) -j $(JOBS)
	@bash scripts/run-tests.sh $(BUILD)

test-asan: deps-tests
	@cmake --preset asan -B $(ASAN_BUILD) $(PRESET_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@bash scripts/run-tests.sh $(ASAN_BUILD)

assets: configure
	@cmake --build $(BUILD) -j $(JOBS) --target assets

assets-preview: configure
	@cmake --build $(BUILD) -j $(JOBS) --target assets-preview

install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

uninstall:
	@bash scripts/uninstall.sh $(BUILD)/install_manifest.txt

# A Debian package in $(BUILD)/package/; installs with
# sudo apt-get install ./build/package/bramblehop_*.deb
package: build
	@bash scripts/deps.sh dpkg-dev fakeroot file
	cd $(BUILD) && cpack -B package

bench: configure-tests
	@cmake --build $(BUILD) -j $(JOBS)
	@bash scripts/run-bench.sh $(BUILD)

soak: deps-tests
	@cmake --preset asan -B $(ASAN_BUILD) $(PRESET_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target bramblehop_soak assets
	$(ASAN_BUILD)/bramblehop_soak $(or $(SOAK_UPDATES),100000) $(or $(SOAK_SEED),552)

# An hour of the real game under random keys (SOAK_REAL_MINUTES, SOAK_REAL_SEED).
soak-real: deps-tests
	@cmake --preset asan -B $(ASAN_BUILD) $(PRESET_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target Bramblehop assets
	@bash scripts/soak-real.sh $(ASAN_BUILD)

fuzz:
	@bash scripts/deps.sh clang libclang-rt-14-dev
	@bash scripts/run-fuzz.sh

# One-line changes to the game and the engine, each rebuilt and put to the
# unit tests; lists the changes no test noticed. MUTANTS=N samples N (150),
# SEED picks which. Slow: not part of CI.
mutate: deps-tests
	@python3 scripts/mutate.py

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-mutate
