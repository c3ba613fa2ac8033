# The key the update lists are signed with. It is checked here, when
# configuring, because a wrong one would silently leave the check unsigned
# (junk) or refuse every list (a key in another alphabet).
#
# A Debian package made without a key would trust any list and any package,
# so cpack refuses to make one unless TF_UPDATE_UNSIGNED says so on purpose
# (when configuring, or to cpack itself as "-D TF_UPDATE_UNSIGNED=ON"):
# the check is the script TF_UPDATE_CPACK_CHECK, which the package rules
# (cmake/TickforgePackage.cmake) hand to cpack with their other checks.

# Keys no one may trust: with the points of small order (the eight of
# Ed25519, whose first, all zero, also stands for "no key"), and with their
# second encodings (the sign bit set, or y + p), a forged signature verifies
# for many messages. As standard base64, the only form taken.
set(TF_UNSAFE_UPDATE_KEYS
  "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=" "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAIA="
  "AQAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA=" "AQAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAIA="
  "7P///////////////////////////////////////38=" "7P////////////////////////////////////////8="
  "JuiVj8KyJ7BFw/SJ8u+Y8NXfrAXTxjM5sTgCiG1T/AU=" "JuiVj8KyJ7BFw/SJ8u+Y8NXfrAXTxjM5sTgCiG1T/IU="
  "xxdqcD1N2E+6PAt2DRBnDyogU/osOczGTsf9d5KsA3o=" "xxdqcD1N2E+6PAt2DRBnDyogU/osOczGTsf9d5KsA/o="
  "7f///////////////////////////////////////38=" "7f////////////////////////////////////////8="
  "7v///////////////////////////////////////38=" "7v////////////////////////////////////////8=")

# Stops configuring with a clear message unless key is empty or exactly 32
# bytes in standard base64 (44 characters, the last one "=", the one before
# it with no stray bits, so that one key has one spelling), and not one of
# the unsafe keys above.
function(tf_check_update_key key)
  if(key STREQUAL "")
    return()
  endif()
  string(REPEAT "[A-Za-z0-9+/]" 42 body)
  if(key MATCHES "^${body}[AEIMQUYcgkosw048]=$")
    list(FIND TF_UNSAFE_UPDATE_KEYS "${key}" unsafe)
    if(NOT unsafe EQUAL -1)
      message(FATAL_ERROR
        "TF_UPDATE_PUBLIC_KEY cannot be trusted: it is all zero or a point of small order, for which "
        "forged signatures verify. Make a key with 'tf_sign keypair'.")
    endif()
    return()
  endif()
  string(LENGTH "${key}" length)
  set(hint "")
  if(key MATCHES "[-_]")
    set(hint " It holds '-' or '_': that is base64url, not standard base64.")
  elseif(NOT length EQUAL 44)
    set(hint " It has ${length} characters.")
  elseif(key MATCHES "=$")
    set(hint " Its last character before '=' carries stray bits: it is not the standard spelling of a key.")
  endif()
  message(FATAL_ERROR
    "TF_UPDATE_PUBLIC_KEY is not an Ed25519 public key: it must be exactly 32 bytes in standard "
    "base64, 44 characters of A-Z a-z 0-9 + / ending in one '=' (as 'tf_sign keypair' prints it).${hint}")
endfunction()

# The script mode of this file (cmake -P) checks one key, for the tests.
if(CMAKE_SCRIPT_MODE_FILE)
  tf_check_update_key("${TF_UPDATE_PUBLIC_KEY}")
  return()
endif()

set(TF_UPDATE_PUBLIC_KEY "" CACHE STRING
    "Ed25519 public key of the update lists: 32 bytes in standard base64, as 'tf_sign keypair' prints it")
option(TF_UPDATE_UNSIGNED "Allow a Debian package that trusts unsigned update lists" OFF)
tf_check_update_key("${TF_UPDATE_PUBLIC_KEY}")
if(TF_UPDATE_PUBLIC_KEY STREQUAL "")
  if(TF_UPDATE_UNSIGNED)
    message(STATUS "Update lists: not signed (TF_UPDATE_UNSIGNED=ON); the Debian package may be made")
  else()
    message(STATUS "Update lists: not signed; cpack will refuse to make the Debian package "
                   "(give -DTF_UPDATE_PUBLIC_KEY=..., or -DTF_UPDATE_UNSIGNED=ON on purpose)")
  endif()
endif()

set(TF_UPDATE_CPACK_CHECK "${CMAKE_BINARY_DIR}/TickforgeUpdateKeyCheck.cmake")
if(TF_UPDATE_PUBLIC_KEY STREQUAL "" AND NOT TF_UPDATE_UNSIGNED)
  file(WRITE "${TF_UPDATE_CPACK_CHECK}" [=[
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT TF_UPDATE_UNSIGNED)
  message(FATAL_ERROR "This build has no update key, so its update check would trust any list and any "
    "package. Configure with -DTF_UPDATE_PUBLIC_KEY=<the key 'tf_sign keypair' printed> (see the "
    "README's release procedure), or with -DTF_UPDATE_UNSIGNED=ON (or run cpack with -D TF_UPDATE_UNSIGNED=ON) to make an unsigned "
    "package on purpose.")
endif()
]=])
else()
  file(WRITE "${TF_UPDATE_CPACK_CHECK}" "# The update key is set (or an unsigned package is wanted).\n")
endif()
