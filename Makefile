# Quillmere: top-level build and test driver.
#   make run     start the program
#   make test    install what is missing, build everything, run every test
#   make all     build native, win64 and win32
#   make tools   build qmfont (build/native/qmfont, build/win64/qmfont.exe)
#   make bench   time reading font names and rendering samples
#                (BENCH_DIR=/usr/share/fonts); the file-row samples also
#                over a folder of large fonts when BENCH_LARGE_DIR is set:
#                  apt-get install fonts-nanum
#                  make bench BENCH_LARGE_DIR=/usr/share/fonts/truetype/nanum
#   make fuzz    run each fuzzer (build/native/.../fuzz_*) for FUZZ_SECONDS
#                (default 60); work corpus build/native/fuzz-corpus/NAME
#   make mutate  plant faults one at a time and see the tests catch them
#                (MUTATE_COUNT=100 in the core, MUTATE_WIN_COUNT=60 in the
#                Windows code, MUTATE_SEED=1)
#   make clean   remove build/

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

BENCH_DIR ?= /usr/share/fonts
BENCH_LARGE_DIR ?=
FUZZ_SECONDS ?= 60
MUTATE_COUNT ?= 100
MUTATE_WIN_COUNT ?= 60
MUTATE_SEED ?= 1

CMAKE ?= cmake
NATIVE_FLAGS := -DCMAKE_CXX_COMPILER=clang++ -DQM_SANITIZE=ON -DQM_FUZZ=ON
WIN64_FLAGS  := -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
WIN32_FLAGS  := -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DQM_TESTS=OFF
BENCH_FLAGS  := -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF

.PHONY: all test tools bench fuzz mutate run clean bootstrap native win64 win32

all: native win64 win32

bootstrap:
	tools/bootstrap.sh

# Configure once: only when build/X/build.ninja is missing.
build/native/build.ninja:
	$(CMAKE) -S . -B build/native -G Ninja $(NATIVE_FLAGS)
build/win64/build.ninja:
	$(CMAKE) -S . -B build/win64 -G Ninja $(WIN64_FLAGS)
build/win32/build.ninja:
	$(CMAKE) -S . -B build/win32 -G Ninja $(WIN32_FLAGS)
build/bench/build.ninja:
	$(CMAKE) -S . -B build/bench -G Ninja $(BENCH_FLAGS)

native: build/native/build.ninja
	$(CMAKE) --build build/native
win64: build/win64/build.ninja
	$(CMAKE) --build build/win64
win32: build/win32/build.ninja
	$(CMAKE) --build build/win32

test:
	tools/bootstrap.sh
	$(MAKE) --no-print-directory all
	tools/run-tests.sh

tools: build/native/build.ninja build/win64/build.ninja
	$(CMAKE) --build build/native --target qmfont
	$(CMAKE) --build build/win64 --target qmfont

bench:
	tools/bootstrap.sh
	$(MAKE) --no-print-directory build/bench/build.ninja build/win64/build.ninja
	$(CMAKE) --build build/bench --target qmbench
	$(CMAKE) --build build/win64 --target qmbench qmbench_samples qmbench_lists
	@echo "== font names, native"
	build/bench/qmbench '$(abspath $(BENCH_DIR))'
	@echo "== font names, Windows build under Wine"
	tools/wine-test.sh build/win64/qmbench.exe 'Z:$(subst /,\,$(abspath $(BENCH_DIR)))'
	@echo "== file-row samples, Windows build under Wine"
	tools/wine-test.sh build/win64/qmbench_samples.exe 'Z:$(subst /,\,$(abspath $(BENCH_DIR)))' 30
ifneq ($(BENCH_LARGE_DIR),)
	@echo "== file-row samples of large fonts, Windows build under Wine"
	tools/wine-test.sh build/win64/qmbench_samples.exe 'Z:$(subst /,\,$(abspath $(BENCH_LARGE_DIR)))' 30
else
	@echo "== file-row samples of large fonts: skipped, BENCH_LARGE_DIR is not set"
endif
	@echo "== the two lists, Windows build under Wine"
	tools/wine-test.sh build/win64/qmbench_lists.exe

fuzz: native
	@failed=0; found=0; \
	for exe in $$(find build/native -name CMakeFiles -prune -o \
	                -type f -name 'fuzz_*' -perm -u+x -print | sort); do \
	  found=1; name=$${exe##*/fuzz_}; \
	  corpus=build/native/fuzz-corpus/$$name; mkdir -p "$$corpus"; \
	  dirs=("$$corpus"); \
	  [ -d build/native/fuzz-seeds/$$name ] && dirs+=(build/native/fuzz-seeds/$$name); \
	  [ -d tests/fuzz/regressions ] && dirs+=(tests/fuzz/regressions); \
	  echo "== $$exe for $(FUZZ_SECONDS) s: $${dirs[*]}"; \
	  if ! "$$exe" -max_total_time=$(FUZZ_SECONDS) "$${dirs[@]}"; then \
	    echo "fuzz: $$exe failed" >&2; failed=1; \
	  fi; \
	done; \
	[ $$found -eq 1 ] || { echo "fuzz: no fuzz_* executables in build/native" >&2; exit 1; }; \
	exit $$failed

mutate:
	tools/bootstrap.sh
	$(MAKE) --no-print-directory native win64
	tools/run-tests.sh python3 tools/mutate.py native --windows-too --count $(MUTATE_COUNT) --seed $(MUTATE_SEED)
	tools/run-tests.sh python3 tools/mutate.py windows --count $(MUTATE_WIN_COUNT) --seed $(MUTATE_SEED)

run:
	tools/bootstrap.sh
	$(MAKE) --no-print-directory build/win64/build.ninja
	$(CMAKE) --build build/win64 --target quillmere qmshot
	tools/run.sh

clean:
	rm -rf build
