# Two commands on a fresh Debian 12 machine: `make run` and `make test`.
# Both install what is missing (apt), configure with CMake + Ninja and build with -j2.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
SAMPLE     := $(CURDIR)/$(BUILD)/sample-world

PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            nlohmann-json3-dev libcli11-dev \
            qt6-base-dev libqt6opengl6-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri \
            libegl-dev xvfb xauth

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build sample-world run test test-asan bench clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRANNOCK_SANITIZE=ON -DBRANNOCK_GUI=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The sample game world is generated from code, so it always matches the editor.
sample-world: build
	$(CURDIR)/$(BUILD)/tools/brannock-sample-world $(SAMPLE)

# The editor reads its game data from the working directory: start it in the sample world.
run: sample-world
	cd $(SAMPLE) && $(CURDIR)/$(BUILD)/src/app/brannock

test: build test-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The document, its readers and the tool again under AddressSanitizer and
# UndefinedBehaviorSanitizer (the GL and Qt layers are left out: Mesa and Qt bring
# their own allocations that LeakSanitizer would report).
test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
