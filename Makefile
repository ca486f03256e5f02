# The two commands of the README's Quick start.
.PHONY: demo test bench fuzz format dist soak
demo:
	scripts/demo
test:
	scripts/test

# Benchmarks: ratios against baselines measured in the same run.
bench:
	scripts/bench

# Each fuzz target for FUZZ_SECONDS seconds (default 60).
fuzz:
	scripts/fuzz

# Applies the house style (.clang-format) to every C++ source.
format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# The release: the installer and the portable zip in build/release.
dist:
	scripts/dist

# The full soak of rapid clicks under Wine (make test runs a light round).
soak:
	scripts/soak
