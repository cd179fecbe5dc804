#!/usr/bin/env bash
# Starts Wirbelix on the bundled demo installation.
#   ./run.sh                      two demo players, Anna and Ben
#   ./run.sh '"Version=4;...;"'   your own launch text (replaces the default)
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
wirbelix_pakete
# A build tree made by ./test.sh keeps its tests and benchmarks, so they are
# never left stale; a new one builds only the game.
if grep -qs '^WIRBELIX_BUILD_TESTS:BOOL=ON' build/CMakeCache.txt; then
  wirbelix_bauen
else
  wirbelix_bauen -DWIRBELIX_BUILD_TESTS=OFF -DWIRBELIX_BUILD_BENCH=OFF
fi

if [ $# -eq 0 ]; then
  set -- '"Version=4;Class=D;TeskFeldName=LIP_;LupenFlag=0;GwsFlag=0;nSpieler=2;Anna;Ben;anna;ben;"'
fi
exec build/Wirbelix/wirbelix "$@"
