# The two user commands: `make run` and `make test`.
BUILD_DIR := build
RUN_DIR   := $(BUILD_DIR)/run
JOBS      := $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: run test deps build workdir

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The working directory holds the shipped tables; every program reads and writes bare
# file names there. Result files already in it are kept.
workdir: build
	@mkdir -p $(RUN_DIR)
	@cp data/ICRUSoft.dat data/Air.eac data/Ak2Sv.dat data/MUs.dat data/default-output.op data/readme.txt $(RUN_DIR)/

run: workdir
	@if [ -x $(BUILD_DIR)/bin/brisca ]; then \
	  cd $(RUN_DIR) && PATH="$(CURDIR)/$(BUILD_DIR)/bin:$$PATH" ../bin/brisca; \
	else \
	  echo "Working directory ready: $(RUN_DIR)"; \
	  echo "Programs: $(BUILD_DIR)/bin (run them from $(RUN_DIR))"; \
	fi

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
