#!/usr/bin/env bash
# Checks a built SDK DLL as a file: the machine type of its target, exactly
# the exports its module definition file lists (undecorated), and imports
# from Windows system DLLs only.
#   check_dll_format.sh DLL TARGET DEF
set -euo pipefail
dll=$1 target=$2 def=$3
dump=$("$target-objdump" -p "$dll")
fail=0

case $target in
  x86_64-*) want_format=pei-x86-64 want_magic=020b ;;
  i686-*)   want_format=pei-i386   want_magic=010b ;;
esac
grep -q "file format $want_format" <<<"$dump" || { echo "not $want_format"; fail=1; }
grep -Eq "^Magic[[:space:]]+$want_magic" <<<"$dump" || { echo "PE magic is not $want_magic"; fail=1; }

expected=$(sed -n 's/^[[:space:]]\+\(Lumvex[A-Za-z]*_[A-Za-z0-9_]*\).*/\1/p' "$def" | sort)
actual=$(awk '/\[Ordinal\/Name Pointer\] Table/{t=1; next} t && /^\t\[/{print $NF} t && /^$/{t=0}' <<<"$dump" | sort)
if [ "$expected" != "$actual" ]; then
  echo "exports differ from $def:"; diff <(echo "$expected") <(echo "$actual") || true; fail=1
fi

system='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|COMDLG32|WINMM|msvcrt|SHELL32|ole32|OLEAUT32|VERSION)\.dll$'
while read -r name; do
  grep -Eiq "$system" <<<"$name" || { echo "imports non-system DLL $name"; fail=1; }
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")

count=$(wc -l <<<"$actual")
[ $fail = 0 ] && echo "$(basename "$dll"): $want_format, $count exports, system imports only"
exit $fail
