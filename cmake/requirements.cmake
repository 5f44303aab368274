# What the build needs from the system, each with the Debian package that
# provides it: a missing one stops the configuration with the packages to
# install, before any compiler or generator trips over it.

# Stops with the list of Debian packages to install when `missing` is not
# empty.
function(tether_stop_if_missing missing)
  if(missing)
    list(REMOVE_DUPLICATES missing)
    list(JOIN missing " " packages)
    message(FATAL_ERROR
      "Missing Debian packages: ${packages}\n"
      "Install them with:  sudo apt-get install ${packages}\n"
      "or install everything the game needs with:  bash scripts/setup.sh")
  endif()
endfunction()

# pkg-config modules given as MODULE=DEBIAN_PACKAGE. Checks them all, stops
# naming the packages of the missing ones, then (when prefix is not empty)
# finds them as the imported target PkgConfig::<prefix>.
macro(tether_find_modules prefix)
  set(_tether_modules "")
  set(_tether_missing "")
  foreach(_tether_pair ${ARGN})
    string(REPLACE "=" ";" _tether_pair "${_tether_pair}")
    list(GET _tether_pair 0 _tether_module)
    list(GET _tether_pair 1 _tether_package)
    list(APPEND _tether_modules ${_tether_module})
    pkg_check_modules(_tether_probe_${_tether_module} QUIET ${_tether_module})
    if(NOT _tether_probe_${_tether_module}_FOUND)
      list(APPEND _tether_missing ${_tether_package})
    endif()
  endforeach()
  tether_stop_if_missing("${_tether_missing}")
  if(NOT "${prefix}" STREQUAL "")
    pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET ${_tether_modules})
  endif()
endmacro()

# Files given as PATH=DEBIAN_PACKAGE (fonts, for instance); stops naming the
# packages of the missing ones.
function(tether_require_files)
  set(missing "")
  foreach(pair ${ARGN})
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 file)
    list(GET pair 1 package)
    if(NOT EXISTS "${file}")
      message(STATUS "Missing ${file} (from ${package})")
      list(APPEND missing ${package})
    endif()
  endforeach()
  tether_stop_if_missing("${missing}")
endfunction()

find_package(PkgConfig QUIET)
if(NOT PKG_CONFIG_FOUND)
  tether_stop_if_missing(pkg-config)
endif()
