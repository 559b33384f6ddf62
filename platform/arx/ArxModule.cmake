# arx_add_module(TARGET RELEASE R18|R19 SOURCES ...): a plug-in module, built as
# TARGET.arx against the SDK release given, exporting the SDK's version stamp.
function(arx_add_module target)
  cmake_parse_arguments(MOD "" "RELEASE" "SOURCES" ${ARGN})
  if(NOT MOD_RELEASE MATCHES "^R1[89]$")
    message(FATAL_ERROR "arx_add_module(${target}): RELEASE must be R18 or R19")
  endif()
  add_library(${target} MODULE ${MOD_SOURCES} ${ARX_MODULE_RXAPI})
  target_link_libraries(${target} PRIVATE arx)
  target_compile_definitions(${target} PRIVATE ARX_SDK_${MOD_RELEASE})
  set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX ".arx"
                        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  # A module must really go when it is unloaded: no symbol may pin it in memory.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
  endif()
endfunction()
