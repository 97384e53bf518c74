# Bramblehop: `make play` to build and start the game, `make test` to build
# and run every test. Both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2

.PHONY: all deps configure build play test test-asan assets assets-preview bench soak soak-real fuzz clean

all: build

deps:
	@bash scripts/deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

play: build
	cd $(BUILD)/game && ./Bramblehop

test: build
	@bash scripts/run-tests.sh $(BUILD)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAMBLEHOP_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@bash scripts/run-tests.sh $(ASAN_BUILD)

assets: configure
	@cmake --build $(BUILD) -j $(JOBS) --target assets

assets-preview: configure
	@cmake --build $(BUILD) -j $(JOBS) --target assets-preview

bench: build
	@bash scripts/run-bench.sh $(BUILD)

soak: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAMBLEHOP_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target bramblehop_soak assets
	$(ASAN_BUILD)/bramblehop_soak $(or $(SOAK_UPDATES),100000) $(or $(SOAK_SEED),552)

# An hour of the real game under random keys (SOAK_REAL_MINUTES, SOAK_REAL_SEED).
soak-real: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAMBLEHOP_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target Bramblehop assets
	@bash scripts/soak-real.sh $(ASAN_BUILD)

fuzz:
	@bash scripts/deps.sh clang libclang-rt-14-dev
	@bash scripts/run-fuzz.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
