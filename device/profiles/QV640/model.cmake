# Windows target of the QV640 build.
set(LUMVEX_TARGET x86_64-w64-mingw32)
