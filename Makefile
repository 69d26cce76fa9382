# Corvix: every target sets up what it needs (packages, Wine prefix) first.
.PHONY: test demo bench soak build tour docs clean

test:
	@scripts/test.sh

demo:
	@scripts/demo.sh

bench:
	@scripts/bench.sh

soak:
	@scripts/soak.sh

tour:
	@scripts/tour.sh

docs:
	@scripts/docs.sh

build:
	@scripts/setup.sh --no-prefix
	@scripts/build.sh

clean:
	rm -rf build
