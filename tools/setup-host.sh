#!/usr/bin/env bash
# Installs what building and testing the SDK needs on a Debian 12 machine:
# the mingw-w64 cross compilers, Wine (64- and 32-bit), Xvfb, CMake/Ninja,
# and a deb-src entry so that the image libraries can be built from
# Debian's own sources. Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 wine32:i386 xvfb
  cmake ninja-build nasm dpkg-dev googletest
)

need_update=0

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi

src_list=/etc/apt/sources.list.d/lumvex-deb-src.sources
if [ ! -f "$src_list" ]; then
  cat > "$src_list" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# apt-get source needs the source indexes too. (The security archive's
# source pool is not reachable from here; the point releases carry its fixes.)
ls /var/lib/apt/lists/*_source_Sources >/dev/null 2>&1 || need_update=1

if [ "${#missing[@]}" -gt 0 ] || [ "$need_update" = 1 ]; then
  apt-get update -qq
fi
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup-host: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
