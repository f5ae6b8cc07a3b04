# Two commands on a fresh Debian 12 machine: `make run` and `make test`.
# Both install what is missing (apt), configure with CMake + Ninja and build with -j2.

BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
SAMPLE     := $(CURDIR)/$(BUILD)/sample-world

PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            nlohmann-json3-dev libcli11-dev \
            qt6-base-dev libqt6opengl6-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri \
            libegl-dev xvfb xauth clang libclang-rt-14-dev qt6-svg-dev dpkg-dev file python3 git

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build sample-world run test test-asan test-tsan soak fuzz fuzz-smoke fresh-check bench clean \
        install package

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRANNOCK_SANITIZE=ON -DBRANNOCK_GUI=OFF

$(TSAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRANNOCK_SANITIZE_THREAD=ON -DBRANNOCK_GUI=OFF

$(FUZZ_BUILD)/build.ninja: | deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DBRANNOCK_FUZZ=ON -DBRANNOCK_GUI=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The sample game world is generated from code, so it always matches the editor.
sample-world: build
	$(CURDIR)/$(BUILD)/tools/brannock-sample-world $(SAMPLE)

# The editor reads its game data from the working directory: start it in the sample world.
run: sample-world
	cd $(SAMPLE) && $(CURDIR)/$(BUILD)/src/app/brannock

test: build test-asan test-tsan fuzz-smoke
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The document, its readers and the tool again under AddressSanitizer and
# UndefinedBehaviorSanitizer (the GL and Qt layers are left out: Mesa and Qt bring
# their own allocations that LeakSanitizer would report).
test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The light-map bakes, whose rows run on several threads and whose live updates run on
# a worker thread, and the thumbnail worker, under ThreadSanitizer: any data race fails the run.
test-tsan: deps $(TSAN_BUILD)/build.ninja
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target surfaces_tests core_tests
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ./tests/surfaces_tests
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ./tests/core_tests --gtest_filter='Thumbnails.*'

# The long sessions at full length (20 000 frames, 500 load/save/new cycles) under
# AddressSanitizer and LeakSanitizer; `make test` runs them reduced.
soak: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target soak_tests
	cd $(ASAN_BUILD) && BRANNOCK_SOAK_FULL=1 ASAN_OPTIONS=detect_leaks=1 ./tests/soak_tests

# The file readers under libFuzzer (clang, AddressSanitizer, UndefinedBehaviorSanitizer).
# A hostile file may neither allocate more than 256 MB at once nor take longer than the
# timeout; findings land in $(FUZZ_BUILD)/fuzz-findings. Each harness runs FUZZ_SECONDS
# and keeps what it finds in its corpus; fuzz-smoke replays the corpora and mutates a
# little, inside `make test`.
FUZZ_SECONDS       ?= 60
FUZZ_SMOKE_SECONDS ?= 10
FUZZ_OPTIONS       ?= -malloc_limit_mb=256 -rss_limit_mb=2048 -timeout=5
FUZZ_RUN = cd $(FUZZ_BUILD) && mkdir -p fuzz-findings && while read name dict; do \
	  echo "== fuzz_$$name"; mkdir -p fuzz-corpus/$$name fuzz-smoke/$$name; \
	  ./fuzz/fuzz_$$name -dict=$$dict $(FUZZ_OPTIONS) -artifact_prefix=fuzz-findings/$$name- $(1) || exit 1; \
	done < fuzzers.txt

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	$(call FUZZ_RUN,-max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 fuzz-corpus/$$name)

# New inputs of the smoke run go to a scratch directory, so CI never grows the corpora.
# One seed: the smoke run mutates alike on every machine, so it passes or fails on the
# code, not on the mutations that happened to come up; `make fuzz` explores.
FUZZ_SMOKE_SEED ?= 1
fuzz-smoke: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	rm -rf $(FUZZ_BUILD)/fuzz-smoke
	$(call FUZZ_RUN,-seed=$(FUZZ_SMOKE_SEED) -max_total_time=$(FUZZ_SMOKE_SECONDS) -print_final_stats=1 fuzz-smoke/$$name fuzz-corpus/$$name)

# The editor, the tool, the menu entry, the room file type and the icons under PREFIX
# (DESTDIR is honoured). The file-type and menu caches under PREFIX are refreshed when
# their programs are there; a .deb leaves that to dpkg's triggers.
PREFIX          ?= /usr/local
INSTALL_TARGETS := brannock brannock-tool brannock_icons

install: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target $(INSTALL_TARGETS)
	cmake --install $(BUILD) --prefix $(PREFIX)
	if [ -z "$(DESTDIR)" ] && command -v update-mime-database >/dev/null; then update-mime-database $(PREFIX)/share/mime; fi
	if [ -z "$(DESTDIR)" ] && command -v update-desktop-database >/dev/null; then update-desktop-database $(PREFIX)/share/applications; fi

# build/brannock_<version>_<arch>.deb, for `apt install ./build/brannock_*.deb`.
package: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target $(INSTALL_TARGETS)
	cd $(BUILD) && cpack -G DEB

# Both commands on a minimal Debian 12 built into build-fresh (root; about ten minutes).
fresh-check:
	tools/fresh_debian_check.sh $(CURDIR)/build-fresh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD)
