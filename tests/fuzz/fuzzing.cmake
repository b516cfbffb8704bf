include_guard(GLOBAL)
# Shared set-up of the libFuzzer targets (one folder each); configure with
# clang++ and -DCINDRAL_FUZZ=ON (script/fuzz-test).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "the fuzz targets need clang: set CMAKE_CXX_COMPILER=clang++")
endif()

# The code under test gets coverage feedback and the same sanitizers as the targets.
foreach(lib cindral_startup cindral_fire cindral_display)
  if(TARGET ${lib})
    get_target_property(type ${lib} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                            -fno-sanitize-recover=all)
    endif()
  endif()
endforeach()

function(cindral_add_fuzzer name)
  add_executable(${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined
                                         -fno-sanitize-recover=all)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()
