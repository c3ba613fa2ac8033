# Settings shared by every target of the project.
add_library(tf_common INTERFACE)
target_compile_features(tf_common INTERFACE cxx_std_17)
target_compile_options(tf_common INTERFACE -Wall -Wextra)
target_compile_definitions(tf_common INTERFACE
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER
  QT_DEPRECATED_WARNINGS)
# Generated headers every target may include (tf_version.h).
set(TF_GENERATED_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)
tf_write_version_header(${TF_GENERATED_INCLUDE_DIR})
target_include_directories(tf_common INTERFACE ${TF_GENERATED_INCLUDE_DIR})
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# The folder of the program's private modules (the update component) below
# the install prefix. Where the system has one it is the multiarch folder
# (lib/x86_64-linux-gnu/tickforge): a module right under lib/ makes the
# Debian package call ldconfig for a library no one else loads.
include(GNUInstallDirs)
set(TF_MODULE_DIR ${CMAKE_INSTALL_LIBDIR})
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT TF_MODULE_DIR MATCHES "/${CMAKE_LIBRARY_ARCHITECTURE}$")
  string(APPEND TF_MODULE_DIR /${CMAKE_LIBRARY_ARCHITECTURE})
endif()
string(APPEND TF_MODULE_DIR /tickforge)

# How long a test may run; the mutation runner lowers it, so that a mutant
# that hangs a test is stopped within the runner's timeout.
set(TF_TEST_TIMEOUT 600 CACHE STRING "Seconds a test may run before CTest stops it")

# tf_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [RESOURCES] [COST <seconds>])
# One executable per test class, registered with CTest and run offscreen.
# COST, the seconds it takes, starts the slow tests first so that ctest -j
# keeps every core busy to the end (a fresh build has no timings of its own).
function(tf_add_test)
  cmake_parse_arguments(T "RESOURCES" "NAME;COST" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE tf_common tf_testsupport Qt5::Test ${T_LIBS})
  target_compile_definitions(${T_NAME} PRIVATE TF_TEST_TABLES="${PROJECT_SOURCE_DIR}/tests/tables")
  if(T_RESOURCES)
    target_link_libraries(${T_NAME} PRIVATE tf_resources tf_resources_checks)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  # Settings the program keeps (recent designs) go to the build tree, never
  # to the user's own.
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.config"
    TIMEOUT ${TF_TEST_TIMEOUT})
  if(T_COST)
    set_tests_properties(${T_NAME} PROPERTIES COST ${T_COST})
  endif()
endfunction()
