# Resource generation and the plug-in DLL rule.

set(ZO_RESOURCE_DIR ${CMAKE_SOURCE_DIR}/resources)
file(GLOB ZO_RESOURCE_INPUTS CONFIGURE_DEPENDS
  ${ZO_RESOURCE_DIR}/*.txt ${ZO_RESOURCE_DIR}/*/*.mat ${ZO_RESOURCE_DIR}/*/*.cmp
  ${ZO_RESOURCE_DIR}/*/*.bmp ${ZO_RESOURCE_DIR}/*/*.cur ${ZO_RESOURCE_DIR}/*/*.ico
  ${ZO_RESOURCE_DIR}/*/*.dlg)

# "name=common.res.txt,own.res.txt" for a plug-in.
function(zo_module_lists plugin out_var)
  set(${out_var} "${ZO_MODULE_${plugin}}=common.res.txt,${plugin}.res.txt" PARENT_SCOPE)
endfunction()

# The removal program: a string table of its own (its ids are not the plug-ins') and its icon.
set(ZO_ZOCLEAR_MODULE "Zoclear@zoclear.strings.txt=zoclear.res.txt")

# The native platform's table of every plug-in module and of the removal program.
function(zo_native_resources output)
  set(modules)
  foreach(plugin IN LISTS ZO_PLUGINS)
    zo_module_lists(${plugin} lists)
    list(APPEND modules "${lists}")
  endforeach()
  list(APPEND modules "${ZO_ZOCLEAR_MODULE}")
  string(REPLACE ";" "|" modules "${modules}")
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DMODE=native -DOUTPUT=${output} "-DMODULES=${modules}"
      -DSTRINGS=${ZO_RESOURCE_DIR}/strings.txt -DRESOURCE_DIR=${ZO_RESOURCE_DIR}
      -P ${CMAKE_SOURCE_DIR}/cmake/GenerateResources.cmake
    DEPENDS ${ZO_RESOURCE_INPUTS} ${CMAKE_SOURCE_DIR}/cmake/GenerateResources.cmake
    COMMENT "Generating the native resource tables" VERBATIM)
endfunction()

# zo_add_plugin(TARGET PLUGIN <moravel|...> OUTPUT_NAME <dll name> SOURCES ... LIBS ...):
# a plug-in DLL with the three exports, the frame, and the plug-in's resources.
function(zo_add_plugin target)
  cmake_parse_arguments(ARG "" "PLUGIN;OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
  zo_plugin_rc(${target} ${ARG_PLUGIN} rc)
  add_library(${target} SHARED ${ARG_SOURCES} ${rc}
    ${CMAKE_SOURCE_DIR}/plugin/win32/dll/exports.cpp ${CMAKE_SOURCE_DIR}/plugin/win32/dll/exports.def)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${ARG_OUTPUT_NAME}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/plugins)
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} zo_plugin_win32)
endfunction()

# The .rc of one module's resources (module as in GenerateResources.cmake's MODULES).
function(zo_module_rc name module out_var)
  set(rc ${CMAKE_BINARY_DIR}/generated/${name}.rc)
  add_custom_command(OUTPUT ${rc}
    COMMAND ${CMAKE_COMMAND} -DMODE=rc -DOUTPUT=${rc} "-DMODULES=${module}"
      -DSTRINGS=${ZO_RESOURCE_DIR}/strings.txt -DRESOURCE_DIR=${ZO_RESOURCE_DIR}
      -P ${CMAKE_SOURCE_DIR}/cmake/GenerateResources.cmake
    DEPENDS ${ZO_RESOURCE_INPUTS} ${CMAKE_SOURCE_DIR}/cmake/GenerateResources.cmake
    COMMENT "Generating ${name}.rc" VERBATIM)
  set_source_files_properties(${rc} PROPERTIES COMPILE_FLAGS "-c 65001")
  set(${out_var} ${rc} PARENT_SCOPE)
endfunction()

# The .rc of a plug-in's resources: for the plug-in, and for the Win32 tests that read them.
function(zo_plugin_rc name plugin out_var)
  zo_module_lists(${plugin} lists)
  zo_module_rc(${name} "${lists}" rc)
  set(${out_var} ${rc} PARENT_SCOPE)
endfunction()
