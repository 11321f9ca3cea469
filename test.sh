#!/usr/bin/env bash
# Set up, build and run the whole test suite headless: a short run of every
# fuzz target (clang, sanitizers), then the unit, program and smoke tests.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug \
  -DPOGWIN_FUZZ=ON -DPOGWIN_TESTS=OFF -DPOGWIN_BENCH=OFF
cmake --build build-fuzz -j"$(nproc)" \
  --target settings_reader_fuzz png_loader_fuzz wav_loader_fuzz ogg_loader_fuzz
(cd build-fuzz && ctest --output-on-failure -j"$(nproc)")

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 300
