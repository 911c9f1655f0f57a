#!/usr/bin/env bash
# The sample host application against each build of the SDK, in a Wine
# session of its own. Installs and builds what is missing first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/platform.sh"

bash "$root/tools/setup-host.sh"
bash "$root/tools/build.sh"

bash "$root/tools/wine-session.sh" start
trap 'bash "$root/tools/wine-session.sh" stop' EXIT

for model in QV640 QV320 QV128; do
  echo "== LumvexSdk_$model"
  if model_is_32bit "$model" && ! can_run_32bit; then
    echo "   not run: this machine cannot run 32-bit programs"
    continue
  fi
  "$root/tools/wine-run" "$root/build/$model/bin/sim/lumvex_demo.exe"
done
