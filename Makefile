# Everyday shortcuts; ./run.sh and ./test.sh remain the set-up path.
.PHONY: build test bench format clean

build:
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALE_GUI=ON -DORVALE_BENCH=ON >/dev/null
	cmake --build build

test: build
	ctest --test-dir build --output-on-failure -j2

bench:
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build build-bench --target orvale_bench
	build-bench/bench/orvale_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-bench
