# The two commands of the README's Quick start.
.PHONY: demo test bench format
demo:
	scripts/demo
test:
	scripts/test

# Benchmarks: ratios against baselines measured in the same run.
bench:
	scripts/bench

# Applies the house style (.clang-format) to every C++ source.
format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
