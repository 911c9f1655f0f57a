#!/usr/bin/env bash
# Every test of the SDK, for all three builds: installs what is missing,
# builds, starts a Wine session of its own (prefix, Xvfb, wineserver) and
# runs each build's ctest suite in it, then ends the session.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/platform.sh"

bash "$root/tools/setup-host.sh"
bash "$root/tools/build.sh"

bash "$root/tools/wine-session.sh" start
trap 'bash "$root/tools/wine-session.sh" stop' EXIT

passed=0 failed=0 skipped=0 status=0
for model in QV640 QV320 QV128; do
  tree=$root/build/$model
  args=(--test-dir "$tree" --output-on-failure --timeout 600 -j2)
  if model_is_32bit "$model" && ! can_run_32bit; then
    echo "== $model: this machine cannot run 32-bit programs (no 32-bit emulation in its kernel):"
    echo "   running the checks of the DLL file only; the Wine suites of $model are skipped"
    not_run=$(ctest --test-dir "$tree" -N -LE host | sed -n 's/^Total Tests: //p')
    skipped=$((skipped + not_run))
    args+=(-L host)
  else
    echo "== $model"
  fi
  log=$tree/ctest.log
  ctest "${args[@]}" 2>&1 | tee "$log" || status=1
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n1)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$summary")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done

echo "total: $passed passed, $failed failed, $skipped skipped"
[ "$status" = 0 ] && [ "$failed" = 0 ]
