# Windows target of the QV128 build.
set(LUMVEX_TARGET i686-w64-mingw32)
