# Taviro: the everyday commands. CMake + Ninja do the building.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# make install DESTDIR=... stages the tree for a packager.
export DESTDIR

.PHONY: all deps configure build test test-sanitize test-tsan fuzz bench run install package format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -G Ninja -DTAVIRO_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-sanitize -j $(JOBS)
	@cd $(BUILD)-sanitize && ctest --output-on-failure -j $(JOBS)

# The tests that run threads, again under ThreadSanitizer. tests/tsan.supp
# lists what is suppressed on purpose, each entry with its reason.
TSAN_TESTS ?= test_debugger_window test_game_window test_debugger_tools
test-tsan: deps
	@cmake -S . -B $(BUILD)-tsan -G Ninja -DTAVIRO_TSAN=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)-tsan -j $(JOBS) --target $(TSAN_TESTS)
	@for t in $(TSAN_TESTS); do \
	  echo "== $$t (ThreadSanitizer)"; \
	  QT_QPA_PLATFORM=offscreen TAVIRO_PROGRAM_DIR=$(CURDIR)/$(BUILD)-tsan/bin \
	  TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp ignore_noninstrumented_modules=1 halt_on_error=1 exitcode=66" \
	  $(BUILD)-tsan/tests/$$t || exit 1; \
	done

# Each libFuzzer target for FUZZ_SECONDS (clang, sanitizers on); FUZZ_SEED
# fixes the random seed.
FUZZ_SECONDS ?= 60
export FUZZ_SEED
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DTAVIRO_FUZZ=ON >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzz_cpu fuzz_disasm fuzz_image fuzz_state fuzz_symbols roms
	@scripts/run-fuzzers $(BUILD)-fuzz $(FUZZ_SECONDS)

bench: build
	@scripts/run-benchmarks $(BUILD)

# Opens the debugger on the demo cartridge. Without a display the window
# cannot open; the headless runner still plays the demo and saves a picture.
HEADLESS_DEMO = $(BUILD)/bin/taviro-run --frames 120 --press right@30-90 --screenshot $(BUILD)/demo.png $(BUILD)/roms/demo.nes
run: build
	@$(BUILD)/bin/taviro $(BUILD)/roms/demo.nes || { status=$$?; \
	  echo "The debugger window could not open here. Headless, the demo still runs and saves its picture:"; \
	  echo "  $(HEADLESS_DEMO)"; \
	  exit $$status; }

# The programs, the plug-ins (PREFIX/lib/taviro), the icons, the desktop
# entry and the manual pages.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of what install installs: $(BUILD)/taviro_<version>_<arch>.deb
package: build
	@cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/taviro_*.deb

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
