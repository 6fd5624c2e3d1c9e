# Shortcuts for the two commands of the README.
.PHONY: run test
run:
	tools/run.sh
test:
	tools/test.sh
