# The image libraries and GoogleTest, built as static libraries for this
# build's target from Debian's sources by tools/build-deps.sh (cached).
execute_process(
  COMMAND bash ${PROJECT_SOURCE_DIR}/tools/build-deps.sh ${LUMVEX_TARGET}
  OUTPUT_VARIABLE LUMVEX_DEPS_PREFIX
  OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE deps_result)
if(NOT deps_result EQUAL 0)
  message(FATAL_ERROR "building the dependencies for ${LUMVEX_TARGET} failed")
endif()
message(STATUS "Dependencies: ${LUMVEX_DEPS_PREFIX}")

function(lumvex_import name file)
  add_library(Lumvex::${name} STATIC IMPORTED GLOBAL)
  set_target_properties(Lumvex::${name} PROPERTIES
    IMPORTED_LOCATION ${LUMVEX_DEPS_PREFIX}/lib/${file}
    INTERFACE_INCLUDE_DIRECTORIES ${LUMVEX_DEPS_PREFIX}/include)
endfunction()

lumvex_import(zlib libz.a)
lumvex_import(png libpng.a)
lumvex_import(jpeg libjpeg.a)
lumvex_import(tiff libtiff.a)
lumvex_import(gtest libgtest.a)
lumvex_import(gtest_main libgtest_main.a)
set_target_properties(Lumvex::png PROPERTIES INTERFACE_LINK_LIBRARIES Lumvex::zlib)
set_target_properties(Lumvex::gtest_main PROPERTIES INTERFACE_LINK_LIBRARIES Lumvex::gtest)
