#!/usr/bin/env bash
# Installs what is missing, builds Wandquiz and starts the game.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh"
exec "$top/build/bin/wandquiz" "$@"
