# arx_add_resources(<target> <script.rc> [SEARCH dir...] [DEPENDS target...]):
# compiles a module's resource script with arxrc into C++ that is linked into
# <target>. Files the script embeds are looked for beside it, then in the SEARCH
# folders (pictures the build makes); DEPENDS names the targets that make them. The module then finds the resources by
# its own module handle (FindResourceW, LoadStringW, dialogs) while it is loaded.
# Scripts may #include the Windows stand-in's headers (winres.h, afxres.h, windows.h)
# and headers beside them; every file read is tracked, so editing a header or an
# embedded picture rebuilds the resources.
set(ARXRC_WIN32_INCLUDE ${CMAKE_CURRENT_LIST_DIR}/../platform/win32/include)
cmake_path(NORMAL_PATH ARXRC_WIN32_INCLUDE)
set(ARXRC_WIN32_INCLUDE ${ARXRC_WIN32_INCLUDE} CACHE INTERNAL "Headers resource scripts may include")

function(arx_add_resources target script)
  cmake_parse_arguments(RES "" "" "SEARCH;DEPENDS" ${ARGN})
  set(search_args)
  foreach(dir ${RES_SEARCH})
    list(APPEND search_args -I ${dir})
  endforeach()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "arx_add_resources: no target named ${target}")
  endif()
  get_target_property(done ${target} ARX_RESOURCE_SCRIPT)
  if(done)
    # One module has one resource table, as a Windows module has one resource section.
    message(FATAL_ERROR "arx_add_resources: ${target} already has resources from ${done}")
  endif()
  cmake_path(ABSOLUTE_PATH script BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE OUTPUT_VARIABLE source)
  cmake_path(GET source STEM stem)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_${stem}_rc.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND arxrc -I ${ARXRC_WIN32_INCLUDE} ${search_args} --depfile ${output}.d -o ${output} ${source}
    DEPENDS arxrc ${source} ${RES_DEPENDS}
    DEPFILE ${output}.d
    COMMENT "Compiling resources ${script} for ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  target_link_libraries(${target} PRIVATE win32)
  set_target_properties(${target} PROPERTIES ARX_RESOURCE_SCRIPT ${source})
endfunction()
