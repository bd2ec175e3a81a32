#!/usr/bin/env bash
# Configures and builds Wandquiz into build/ (warnings are errors).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWANDQUIZ_WERROR=ON >/dev/null
cmake --build "$top/build" -j"$(nproc)"
