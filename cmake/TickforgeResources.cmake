# Everything under the resource prefix ":/image/" is registered here by the
# directories that own or generate it, and compiled into one bundle by
# tf_finalize_resources() in resources/.

# tf_add_resource(<alias> <absolute file> [TARGET <generating target>])
function(tf_add_resource alias file)
  cmake_parse_arguments(R "" "TARGET" "" ${ARGN})
  set_property(GLOBAL APPEND PROPERTY TF_RES_ALIASES "${alias}")
  set_property(GLOBAL APPEND PROPERTY TF_RES_FILES "${file}")
  if(R_TARGET)
    set_property(GLOBAL APPEND PROPERTY TF_RES_TARGETS "${R_TARGET}")
  endif()
endfunction()

function(tf_finalize_resources)
  get_property(aliases GLOBAL PROPERTY TF_RES_ALIASES)
  get_property(files GLOBAL PROPERTY TF_RES_FILES)
  get_property(targets GLOBAL PROPERTY TF_RES_TARGETS)
  set(qrc "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/image\">\n")
  foreach(alias file IN ZIP_LISTS aliases files)
    string(APPEND qrc "    <file alias=\"${alias}\">${file}</file>\n")
  endforeach()
  string(APPEND qrc "  </qresource>\n</RCC>\n")
  set(qrc_file ${CMAKE_CURRENT_BINARY_DIR}/tickforge.qrc)
  file(CONFIGURE OUTPUT ${qrc_file} CONTENT "${qrc}" @ONLY)
  set(cpp_file ${CMAKE_CURRENT_BINARY_DIR}/qrc_tickforge.cpp)
  add_custom_command(OUTPUT ${cpp_file}
    COMMAND Qt5::rcc --name tickforge --output ${cpp_file} ${qrc_file}
    DEPENDS ${qrc_file} ${files}
    COMMENT "Compiling the resource bundle"
    VERBATIM)
  # An object library, so the bundle's static registrar is always linked in.
  add_library(tf_resources OBJECT ${cpp_file})
  set_target_properties(tf_resources PROPERTIES AUTOMOC OFF AUTORCC OFF)
  target_link_libraries(tf_resources PUBLIC Qt5::Core)
  if(targets)
    list(REMOVE_DUPLICATES targets)
    add_dependencies(tf_resources ${targets})
  endif()
endfunction()
