#!/bin/sh
# Builds the program and runs its main job: prints the sample orders of
# examples/ to a PDF, headless, the way another program hands orders over.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKANTOMIX_TESTS=OFF
cmake --build build -j2 --target kantomix
out="$PWD/build/orders.pdf"
rm -f "$out"
# The sample settings print on plain paper: each form drawn whole from its template.
XDG_CONFIG_HOME="$PWD/examples/config" QT_QPA_PLATFORM=offscreen \
  ./build/app/kantomix /pt examples/orders.txt PDF PDF "$out"
echo "Wydrukowano: $out"
