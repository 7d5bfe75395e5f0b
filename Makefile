# Set-up on a fresh Debian machine:  make demo   (the sample installation at work)
#                                    make test   (build and run the test suite)
JOBS ?= 2
ROOT ?= $(CURDIR)/demo-root
# The demo needs only a compiler and CMake; the tests, sanitizers, benchmarks,
# fuzzers and the checks of the sources need the rest.
DEMO_PACKAGES := cmake ninja-build g++
PACKAGES := $(DEMO_PACKAGES) clang libclang-rt-14-dev libgtest-dev libgmock-dev \
            libbenchmark-dev python3 python3-dbfread gdal-bin clang-format dpkg-dev \
            qt6-base-dev libgl-dev fonts-liberation2 fonts-dejavu-core poppler-utils
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps deps-demo build demo gui screenshots test test-asan bench fuzz fuzz-ci check-source format install package clean

# Installs the Debian packages of $(1) that are missing.
define install_missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Instalando:" $$missing; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

deps-demo:
	$(call install_missing,$(DEMO_PACKAGES))

build/build.ninja: CMakeLists.txt
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps build/build.ninja
	cmake --build build -j $(JOBS)

# The demo's own build, without the test suite and what it needs.
build-demo/build.ninja: CMakeLists.txt
	cmake -S . -B build-demo -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIROVEL_TESTS=OFF \
	  -DQUIROVEL_GUI=OFF

demo: deps-demo build-demo/build.ninja
	cmake --build build-demo -j $(JOBS)
	./tools/demo.sh build-demo $(ROOT)

# The window on the sample installation of the demo (made first when missing).
gui: build
	@[ -d $(ROOT)/QUIROVEL ] || ./build/quirovel --root $(ROOT) init
	./build/quirovel-gui --root $(ROOT)

# Pictures of the window for the README and the manual, on the offscreen
# platform over a fresh sample installation with one detection run.
screenshots: build
	rm -rf build/shots-root && ./build/quirovel --root build/shots-root init >/dev/null
	./build/quirovel --root build/shots-root detect >/dev/null
	QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$(CURDIR)/build/shots-root/config \
	  ./build/quirovel-gui --root build/shots-root --screenshots docs/screenshots
	for r in resumen erragrserv; do \
	  QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$(CURDIR)/build/shots-root/config \
	    ./build/quirovel-gui --root build/shots-root --print $$r.txt --pdf build/shots-root/$$r.pdf && \
	  pdftoppm -r 60 -f 1 -l 1 -png -singlefile build/shots-root/$$r.pdf docs/screenshots/impreso-$$r; \
	done

test: build
	cd build && ctest --output-on-failure -j $(JOBS) --timeout 600

build-asan/build.ninja: CMakeLists.txt
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIROVEL_SANITIZE=ON \
	  -DQUIROVEL_GUI=OFF

test-asan: deps build-asan/build.ninja
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 900

build-bench/build.ninja: CMakeLists.txt
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIROVEL_TESTS=OFF -DQUIROVEL_BENCH=ON -DQUIROVEL_WERROR=OFF

bench: deps build-bench/build.ninja
	cmake --build build-bench -j $(JOBS)
	./tools/bench.sh build-bench

build-fuzz/build.ninja: CMakeLists.txt
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUIROVEL_TESTS=OFF -DQUIROVEL_FUZZ=ON -DQUIROVEL_SANITIZE=ON -DQUIROVEL_GUI=OFF

# FUZZ_SECONDS per target, or FUZZ_RUNS executions per target when given;
# FUZZ_TARGETS="fuzz_a fuzz_b" runs only those; FUZZ_MERGE=1 adds what reached
# new code to the kept corpus in fuzz/seeds. fuzz-ci keeps the whole run short.
FUZZ_SECONDS ?= 300
fuzz: deps build-fuzz/build.ninja
	cmake --build build-fuzz -j $(JOBS)
	FUZZ_RUNS=$(FUZZ_RUNS) FUZZ_TARGETS="$(FUZZ_TARGETS)" FUZZ_MERGE=$(FUZZ_MERGE) \
	  ./tools/fuzz.sh build-fuzz $(FUZZ_SECONDS)

fuzz-ci:
	$(MAKE) fuzz FUZZ_SECONDS=30

# Installs the program, the sample kit, the manual page and the bash completion
# under PREFIX (DESTDIR for staging); `make package` builds a .deb in build/.
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install build --prefix $(PREFIX)

package: build
	cd build && cpack -G DEB

# The layers and the formatting of the sources, as CI checks them.
SOURCES = $(shell git ls-files '*.cc' '*.h' 2>/dev/null)
check-source: deps
	python3 tools/check_layers.py .
	@clang-format --dry-run --Werror $(SOURCES) && echo "Formato correcto"

format: deps
	clang-format -i $(SOURCES)

clean:
	rm -rf build build-demo build-asan build-bench build-fuzz
