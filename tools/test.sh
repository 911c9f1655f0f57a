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

run_suite() { # tree, title, ctest arguments...
  local tree=$1 title=$2; shift 2
  echo "== $title"
  local log=$tree/ctest.log
  ctest --test-dir "$tree" --output-on-failure --timeout 600 -j2 "$@" 2>&1 | tee "$log" || status=1
  local summary total bad
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n1)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$summary")
  passed=$((passed + ${total:-0} - ${bad:-0}))
  failed=$((failed + ${bad:-0}))
  [ -n "$summary" ] || status=1
}

for model in QV640 QV320 QV128; do
  tree=$root/build/$model
  if model_is_32bit "$model" && ! can_run_32bit; then
    # The 32-bit DLL is checked as a file; its code is tested in a 64-bit
    # test build of the same model instead.
    not_run=$(ctest --test-dir "$tree" -N -LE host | sed -n 's/^Total Tests: //p')
    skipped=$((skipped + not_run))
    run_suite "$tree" "$model: DLL file checks (this machine cannot run 32-bit programs)" -L host
    bash "$root/tools/build.sh" "$model@x86_64"
    run_suite "$root/build/$model-x86_64" "$model code in a 64-bit test build" -LE host
  else
    run_suite "$tree" "$model"
  fi
done

echo "total: $passed passed, $failed failed, $skipped skipped"
[ "$status" = 0 ] && [ "$failed" = 0 ]
