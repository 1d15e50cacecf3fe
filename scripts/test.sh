#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the normal build (unit, scenario, gui,
# e2e), a sanitizer build (unit and scenario under AddressSanitizer and UBSan) and a short run of
# each libFuzzer target (clang).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

jobs=$(nproc)
"$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest -j "$jobs" --output-on-failure --timeout 120)

"$root/scripts/build.sh" "$root/build-sanitize" -DKESTREL_WITH_QT=OFF -DKESTREL_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-sanitize" && ctest -j "$jobs" --output-on-failure --timeout 120 -L 'unit|scenario')

CC=clang CXX=clang++ "$root/scripts/build.sh" "$root/build-fuzz" -DKESTREL_WITH_QT=OFF -DKESTREL_FUZZ=ON
(cd "$root/build-fuzz" && ctest -j "$jobs" --output-on-failure --timeout 120 -L fuzz)
