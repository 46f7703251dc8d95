# The fuzz build instruments all code for libFuzzer's coverage and checks it with the address and
# undefined-behaviour sanitizers; only the fuzz targets link libFuzzer's own main.
if(VEXLOR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VEXLOR_FUZZ needs clang (CXX=clang++); scripts/fuzz.sh sets it up")
  endif()
  if(VEXLOR_BUILD_GUI)
    message(FATAL_ERROR "VEXLOR_FUZZ builds no GUI: add -DVEXLOR_BUILD_GUI=OFF")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
