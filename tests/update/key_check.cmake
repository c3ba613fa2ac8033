# cmake -DKEY_SCRIPT=... -DCPACK_CHECK=... -DNEEDS_KEY=ON|OFF -P key_check.cmake
# Configure-time keys: which are taken, and what the refusal says (a key that
# cannot be trusted is refused as such). Then the
# package check of this very build: without a key (and without the explicit
# unsigned option) a Debian package is refused, other generators are not.
set(good "11qYAYKxCrfVS/7TyWQHOg7hcvPapiMlrwIaaPcHURo=")
foreach(case
    "ok|${good}"
    "ok|EMPTY"
    "bad|11qYAYKxCrfVS_7TyWQHOg7hcvPapiMlrwIaaPcHURo=|base64url"
    "bad|not a key at all|16 characters"
    "bad|11qYAYKxCrfVS/7TyWQHOg7hcvPapiMlrwIaaPcHUR=|"
    "bad|11qYAYKxCrfVS/7TyWQHOg7hcvPapiMlrwIaaPcHURo|43 characters"
    "bad|AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=|48 characters"
    "bad|11qYAYKxCrfVS/7TyWQHOg7hcvPapiMlrwIaaPcHURp=|stray bits"
    # All zero, the eight points of small order, and the second encodings of
    # the same y (the sign bit set; y + p).
    "unsafe|AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA="
    "unsafe|AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAIA="
    "unsafe|AQAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA="
    "unsafe|AQAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAIA="
    "unsafe|7P///////////////////////////////////////38="
    "unsafe|7P////////////////////////////////////////8="
    "unsafe|JuiVj8KyJ7BFw/SJ8u+Y8NXfrAXTxjM5sTgCiG1T/AU="
    "unsafe|JuiVj8KyJ7BFw/SJ8u+Y8NXfrAXTxjM5sTgCiG1T/IU="
    "unsafe|xxdqcD1N2E+6PAt2DRBnDyogU/osOczGTsf9d5KsA3o="
    "unsafe|xxdqcD1N2E+6PAt2DRBnDyogU/osOczGTsf9d5KsA/o="
    "unsafe|7f///////////////////////////////////////38="
    "unsafe|7f////////////////////////////////////////8="
    "unsafe|7v///////////////////////////////////////38="
    "unsafe|7v////////////////////////////////////////8=")
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 expect)
  list(GET fields 1 key)
  if(key STREQUAL "EMPTY")
    set(key "")
  endif()
  list(LENGTH fields n)
  set(hint "")
  if(n GREATER 2)
    list(GET fields 2 hint)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} "-DTF_UPDATE_PUBLIC_KEY=${key}" -P ${KEY_SCRIPT}
    RESULT_VARIABLE rc ERROR_VARIABLE err)
  string(REGEX REPLACE "[ \n]+" " " err "${err}")
  if(expect STREQUAL "ok" AND NOT rc EQUAL 0)
    message(FATAL_ERROR "key '${key}' refused: ${err}")
  endif()
  if(expect STREQUAL "bad" AND (rc EQUAL 0 OR NOT err MATCHES "exactly 32 bytes in standard base64"
                                OR NOT err MATCHES "${hint}"))
    message(FATAL_ERROR "key '${key}' not refused as expected (${rc}): ${err}")
  endif()
  if(expect STREQUAL "unsafe" AND (rc EQUAL 0 OR NOT err MATCHES "cannot be trusted: it is all zero or a point of small order"))
    message(FATAL_ERROR "unsafe key '${key}' not refused (${rc}): ${err}")
  endif()
endforeach()

foreach(generator DEB TGZ DEB-on-purpose)
  string(REPLACE "-on-purpose" ";-DTF_UPDATE_UNSIGNED=ON" options "${generator}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DCPACK_GENERATOR=${options} -P ${CPACK_CHECK}
    RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(generator STREQUAL "DEB" AND NEEDS_KEY)
    if(rc EQUAL 0 OR NOT err MATCHES "This build has no update key")
      message(FATAL_ERROR "a Debian package without a key was not refused (${rc}): ${err}")
    endif()
  elseif(NOT rc EQUAL 0)
    message(FATAL_ERROR "${generator} refused: ${err}")
  endif()
endforeach()
message(STATUS "keys and the package check as expected")
