# Set-up, build and test of the Varn EEE Calculator on Debian 12.
#   make run    install what is missing, build, open the calculator
#   make test   install what is missing, build, run every test through CTest

BUILD ?= build
BUILD_TYPE ?= Release
JOBS ?= 2
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Debian packages the build, the tests and the programs need.
PKGS := cmake make g++ pkg-config qt6-base-dev libgl-dev libxml2-dev libxml2-utils \
        libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth fonts-dejavu-core fonts-dejavu-extra \
        clang libclang-rt-14-dev clang-format dpkg-dev file qt6-svg-dev poppler-utils \
        help2man man-db lintian shared-mime-info xdg-utils desktop-file-utils libglib2.0-bin \
        appstream

.PHONY: all deps configure build test run format-check test-sanitize fuzz bench screenshot package lintian install clean

all: build

# Installs only what is missing; the package lists are fetched only then, so a
# second run is quick and needs no network.
deps:
	@missing=""; \
	for p in $(PKGS); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# Fails on any source file that clang-format would change.
format-check: deps
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror && echo "clang-format: clean"

run: build
	$(BUILD)/bin/varn-eee-calc

# The Qt-free core under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DEEE_CORE_ONLY=ON -DEEE_SANITIZE=ON -DEEE_BENCHMARKS=OFF
	cmake --build build-sanitize -j$(JOBS)
	cd build-sanitize && ctest --output-on-failure -j$(JOBS)

# Fuzzes the session and catalogue readers for FUZZ_SECONDS (libFuzzer, clang).
FUZZ_SECONDS ?= 60
fuzz: deps
	bash tests/fuzz/run-fuzz.sh $(FUZZ_SECONDS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done; \
	if [ -x bench/startup.sh ]; then bash bench/startup.sh $(BUILD); fi; \
	if [ -x bench/cli.sh ]; then bash bench/cli.sh $(BUILD); fi

screenshot: build
	bash app/screenshot.sh $(BUILD) docs/screenshot.png

package: build
	cd $(BUILD) && cpack -G DEB

# Debian's own checks of the package: no error and no warning allowed.
lintian: package
	lintian --fail-on error,warning --display-info $(BUILD)/varn-eee-calc_*.deb

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
