# A stand-in for the Windows Qt's CMake package when only its headers exist: a Windows Qt
# source tree that has been configured but not built (BRINDLE_QT_HEADERS names its build
# folder). It gives the targets, definitions and functions Brindle's build uses, so that every
# source can be compiled for Windows, syntax only, without building Qt. Used by
# scripts/windows-check.sh together with syntax-only.cmake.
if(NOT BRINDLE_QT_HEADERS)
  message(FATAL_ERROR "Set BRINDLE_QT_HEADERS to the build folder of a configured Windows Qt.")
endif()

set(Qt6_FOUND TRUE)
set(Qt6_VERSION 6.4.2)
set(QT_VERSION_MAJOR 6)
set(Qt6Core_VERSION_MAJOR 6)
set(Qt6Core_VERSION_MINOR 4)

# Brindle asks for the package twice (the Test component only with the tests).
if(TARGET Qt6::Core)
  return()
endif()

set(_inc ${BRINDLE_QT_HEADERS}/include)
# The definitions the Windows Qt gives every user (its Platform and Core targets); main() becomes
# qMain in a window program, as with the real Qt, which links its own entry point there.
add_library(Qt6::Core INTERFACE IMPORTED)
set_target_properties(Qt6::Core PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES "${_inc};${_inc}/QtCore;${BRINDLE_QT_SOURCE}/mkspecs/win32-g++"
  INTERFACE_COMPILE_DEFINITIONS "QT_CORE_LIB;WIN32;WIN64;_WIN64;_ENABLE_EXTENDED_ALIGNED_STORAGE;MINGW_HAS_SECURE_API=1;UNICODE;_UNICODE;$<$<AND:$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>,$<BOOL:$<TARGET_PROPERTY:WIN32_EXECUTABLE>>>:QT_NEEDS_QMAIN>"
  INTERFACE_COMPILE_FEATURES cxx_std_17
  INTERFACE_QT_MAJOR_VERSION 6
  COMPATIBLE_INTERFACE_STRING QT_MAJOR_VERSION)
foreach(_module Gui Widgets Test)
  string(TOUPPER ${_module} _upper)
  if(_module STREQUAL "Test")
    set(_upper TESTLIB)
  endif()
  add_library(Qt6::${_module} INTERFACE IMPORTED)
  set_target_properties(Qt6::${_module} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_inc}/Qt${_module}"
    INTERFACE_COMPILE_DEFINITIONS "QT_${_upper}_LIB"
    INTERFACE_LINK_LIBRARIES Qt6::Core)
endforeach()
set_property(TARGET Qt6::Widgets APPEND PROPERTY INTERFACE_LINK_LIBRARIES Qt6::Gui)

# moc is the host's, of the same Qt version.
if(NOT TARGET Qt6::moc)
  add_executable(Qt6::moc IMPORTED)
  set_target_properties(Qt6::moc PROPERTIES IMPORTED_LOCATION /usr/lib/qt6/libexec/moc)
endif()

function(qt_add_executable target)
  add_executable(${target} ${ARGN})
endfunction()

# Resources are compiled by rcc from files, not from C++: nothing to check.
function(qt_add_resources)
endfunction()
