# Everything under the resource prefix ":/image/" is registered here by the
# directories that own or generate it, and compiled into one bundle by
# tf_finalize_resources() in resources/.

# tf_add_resource(<alias> <absolute file> [TARGET <generating target>] [HEADLESS] [CHECKS])
# HEADLESS: the command-line tool needs it too (templates, catalogues), so it
# also goes into tf_resources_headless, the bundle without any artwork.
# CHECKS: only the tests read it (the rendered drawings), so it goes into
# tf_resources_checks alone and costs the programs nothing.
function(tf_add_resource alias file)
  cmake_parse_arguments(R "HEADLESS;CHECKS" "TARGET" "" ${ARGN})
  if(R_CHECKS)
    set_property(GLOBAL APPEND PROPERTY TF_RES_CHECKS_ALIASES "${alias}")
    set_property(GLOBAL APPEND PROPERTY TF_RES_CHECKS_FILES "${file}")
    set_property(GLOBAL APPEND PROPERTY TF_RES_CHECKS_TARGETS "${R_TARGET}")
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY TF_RES_ALIASES "${alias}")
  set_property(GLOBAL APPEND PROPERTY TF_RES_FILES "${file}")
  if(R_HEADLESS)
    set_property(GLOBAL APPEND PROPERTY TF_RES_HEADLESS_ALIASES "${alias}")
    set_property(GLOBAL APPEND PROPERTY TF_RES_HEADLESS_FILES "${file}")
  endif()
  if(R_TARGET)
    set_property(GLOBAL APPEND PROPERTY TF_RES_TARGETS "${R_TARGET}")
  endif()
endfunction()

# One bundle, an object library so that its static registrar is always linked in.
function(tf_resource_bundle target name aliases files targets)
  set(qrc "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/image\">\n")
  foreach(alias file IN ZIP_LISTS aliases files)
    string(APPEND qrc "    <file alias=\"${alias}\">${file}</file>\n")
  endforeach()
  string(APPEND qrc "  </qresource>\n</RCC>\n")
  set(qrc_file ${CMAKE_CURRENT_BINARY_DIR}/${name}.qrc)
  file(CONFIGURE OUTPUT ${qrc_file} CONTENT "${qrc}" @ONLY)
  set(cpp_file ${CMAKE_CURRENT_BINARY_DIR}/qrc_${name}.cpp)
  add_custom_command(OUTPUT ${cpp_file}
    COMMAND Qt5::rcc --name ${name} --output ${cpp_file} ${qrc_file}
    DEPENDS ${qrc_file} ${files}
    COMMENT "Compiling the resource bundle ${name}"
    VERBATIM)
  add_library(${target} OBJECT ${cpp_file})
  set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTORCC OFF)
  target_link_libraries(${target} PUBLIC Qt5::Core)
  if(targets)
    list(REMOVE_DUPLICATES targets)
    add_dependencies(${target} ${targets})
  endif()
endfunction()

# tf_resources: what the programs read; tf_resources_headless: what the command-line
# tool reads; tf_resources_checks: what only the tests read.
function(tf_finalize_resources)
  get_property(aliases GLOBAL PROPERTY TF_RES_ALIASES)
  get_property(files GLOBAL PROPERTY TF_RES_FILES)
  get_property(targets GLOBAL PROPERTY TF_RES_TARGETS)
  tf_resource_bundle(tf_resources tickforge "${aliases}" "${files}" "${targets}")
  get_property(aliases GLOBAL PROPERTY TF_RES_HEADLESS_ALIASES)
  get_property(files GLOBAL PROPERTY TF_RES_HEADLESS_FILES)
  tf_resource_bundle(tf_resources_headless tickforge_headless "${aliases}" "${files}" "")
  get_property(aliases GLOBAL PROPERTY TF_RES_CHECKS_ALIASES)
  get_property(files GLOBAL PROPERTY TF_RES_CHECKS_FILES)
  get_property(targets GLOBAL PROPERTY TF_RES_CHECKS_TARGETS)
  tf_resource_bundle(tf_resources_checks tickforge_checks "${aliases}" "${files}" "${targets}")
endfunction()
