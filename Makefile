# The two commands of the README's Quick start.
.PHONY: demo test
demo:
	scripts/demo
test:
	scripts/test
