#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
wirbelix_pakete
wirbelix_bauen -DWIRBELIX_BUILD_TESTS=ON -DWIRBELIX_BUILD_BENCH=ON
ctest --test-dir build --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
