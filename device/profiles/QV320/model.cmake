# Windows target of the QV320 build.
set(LUMVEX_TARGET i686-w64-mingw32)
