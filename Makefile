# Everyday shortcuts; ./run.sh and ./test.sh remain the set-up path.
.PHONY: build test bench fuzz format clean package

build:
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALE_GUI=ON -DORVALE_BENCH=ON >/dev/null
	cmake --build build

test: build
	ctest --test-dir build --output-on-failure -j2

bench:
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build build-bench --target orvale_bench
	build-bench/bench/orvale_bench

# libFuzzer targets under clang with the address and undefined-behaviour sanitizers, 20,000
# inputs each (RUNS=n to change); not part of ./test.sh.
fuzz_flags = -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
fuzz:
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DORVALE_GUI=OFF -DORVALE_BENCH=OFF -DORVALE_FUZZ=ON -DCMAKE_CXX_FLAGS="$(fuzz_flags)" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	cmake --build build-fuzz --target orvale_fuzz
	tests/fuzz/run_fuzz.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-bench build-fuzz

# The Debian package, build/orvale_<version>-1_<arch>.deb (see "Installing the Debian package").
package:
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALE_GUI=ON -DORVALE_BENCH=ON >/dev/null
	cmake --build build --target package
