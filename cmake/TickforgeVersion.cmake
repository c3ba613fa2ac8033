# Splits TF_VERSION_TEXT ("3.0.03") into its parts and writes tf_version.h.
# The parts are hexadecimal, as the update check reads a version: "3.0.0A"
# is newer than "3.0.09".
if(NOT TF_VERSION_TEXT MATCHES "^([0-9A-Fa-f]+)\\.([0-9A-Fa-f]+)\\.([0-9A-Fa-f]+)$")
  message(FATAL_ERROR "TF_VERSION_TEXT \"${TF_VERSION_TEXT}\" is not MAJOR.MINOR.PATCH")
endif()
math(EXPR TF_VERSION_MAJOR "0x${CMAKE_MATCH_1}")
math(EXPR TF_VERSION_MINOR "0x${CMAKE_MATCH_2}")
math(EXPR TF_VERSION_PATCH "0x${CMAKE_MATCH_3}")
math(EXPR TF_VERSION_PACKED "(${TF_VERSION_MAJOR} * 256 + ${TF_VERSION_MINOR}) * 256 + ${TF_VERSION_PATCH}")

function(tf_write_version_header dir)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/tf_version.h.in ${dir}/tf_version.h @ONLY)
endfunction()
