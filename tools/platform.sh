# Shared by the test and demo commands: what this machine can run.

# 32-bit Windows programs run under Wine's 32-bit loader, a 32-bit Linux
# program: a kernel without 32-bit emulation cannot start it.
can_run_32bit() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

model_is_32bit() {
  grep -q 'i686' "$root/device/profiles/$1/model.cmake"
}
