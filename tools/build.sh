#!/usr/bin/env bash
# Configures (once) and builds the SDK for each camera model, one build tree
# per model under build/: QV640 (64-bit), QV320 and QV128 (32-bit).
#   tools/build.sh [MODEL...]
# MODEL@x86_64 builds that model's code for 64-bit Windows into
# build/MODEL-x86_64: a test build, not a deliverable.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
models=("$@")
[ ${#models[@]} -gt 0 ] || models=(QV640 QV320 QV128)
mkdir -p "$root/build"
for entry in "${models[@]}"; do
  model=${entry%@*}
  args=(-DLUMVEX_MODEL="$model")
  tree=$root/build/$model
  if [ "$entry" != "$model" ]; then
    arch=${entry#*@}
    args+=(-DLUMVEX_TARGET_OVERRIDE="$arch-w64-mingw32")
    tree=$root/build/$model-$arch
  fi
  if [ ! -f "$tree/build.ninja" ]; then
    log=$root/build/configure-$(basename "$tree").log
    cmake -S "$root" -B "$tree" -G Ninja "${args[@]}" >"$log" 2>&1 || { tail -n 30 "$log" >&2; exit 1; }
  fi
  cmake --build "$tree"
done
