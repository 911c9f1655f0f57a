#!/usr/bin/env bash
# Configures (once) and builds the SDK for each camera model, one build tree
# per model under build/: QV640 (64-bit), QV320 and QV128 (32-bit).
#   tools/build.sh [MODEL...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
models=("$@")
[ ${#models[@]} -gt 0 ] || models=(QV640 QV320 QV128)
mkdir -p "$root/build"
for model in "${models[@]}"; do
  tree=$root/build/$model
  if [ ! -f "$tree/build.ninja" ]; then
    cmake -S "$root" -B "$tree" -G Ninja -DLUMVEX_MODEL="$model" >"$root/build/configure-$model.log" 2>&1 ||
      { tail -n 30 "$root/build/configure-$model.log" >&2; exit 1; }
  fi
  cmake --build "$tree"
done
