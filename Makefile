# The two commands of the README's Quick start.
.PHONY: demo test format
demo:
	scripts/demo
test:
	scripts/test

# Applies the house style (.clang-format) to every C++ source.
format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
