# Shared by the test and demo commands: what this machine can run.

# 32-bit Windows programs need Wine's 32-bit loader, a 32-bit Linux program;
# a kernel without 32-bit emulation cannot start it (and an emulator
# registered for it is far too slow to test with). Asks once, by running a
# 32-bit program of the build in the Wine session.
can_run_32bit() {
  if [ -z "${lumvex_32bit_ok:-}" ]; then
    lumvex_32bit_ok=no
    local probe=$root/build/QV320/bin/unit_tests.exe
    if timeout 60 "$root/tools/wine-run" "$probe" --gtest_list_tests 2>/dev/null | grep -q 'SdkRing'; then
      lumvex_32bit_ok=yes
    fi
  fi
  [ "$lumvex_32bit_ok" = yes ]
}

model_is_32bit() {
  grep -q 'i686' "$root/device/profiles/$1/model.cmake"
}
