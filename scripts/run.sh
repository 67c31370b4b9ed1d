#!/bin/sh
# Builds the program and runs its main job.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKANTOMIX_TESTS=OFF
cmake --build build -j2 --target kantomix
./build/app/kantomix --version
