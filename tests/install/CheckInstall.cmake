# Installs the build into a scratch folder and checks that a desktop finds the program:
# the menu entry's Exec names the installed program, its Icon is in the icon theme, it is
# filed under Utility, and the shipped data is there.
#   cmake -DBUILD_DIR=<build> -DSCRATCH=<folder> -DAPP_ID=<id> -P CheckInstall.cmake
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${SCRATCH}"
                        "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(usr "${SCRATCH}/usr")

function(entry_value key out)
  file(STRINGS "${usr}/share/applications/${APP_ID}.desktop" lines REGEX "^${key}=")
  list(LENGTH lines count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "the menu entry has ${count} ${key} keys")
  endif()
  string(REGEX REPLACE "^${key}=" "" value "${lines}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

entry_value(Exec exec)
string(REGEX REPLACE " .*" "" program "${exec}")
if(NOT EXISTS "${usr}/bin/${program}" OR IS_DIRECTORY "${usr}/bin/${program}")
  message(FATAL_ERROR "Exec=${exec}: no ${program} in bin/")
endif()
entry_value(Icon icon)
file(GLOB icons "${usr}/share/icons/hicolor/*/apps/${icon}.png")
if(NOT icons)
  message(FATAL_ERROR "Icon=${icon}: not in the hicolor theme")
endif()
entry_value(Categories categories)
# The list's semicolons come back escaped from file(STRINGS).
string(REPLACE "\\;" "," categories "${categories}")
if(NOT categories MATCHES "(^|,)Utility,")
  message(FATAL_ERROR "Categories=${categories}: not under Utility")
endif()
foreach(key Type Name Comment)
  entry_value(${key} value)
endforeach()
foreach(file Ventrose.inf aide rose.avi cercle5.bmp)
  if(NOT EXISTS "${usr}/share/ventrose/${file}")
    message(FATAL_ERROR "shipped ${file} not installed")
  endif()
endforeach()
foreach(file man/man1/ventrose.1.gz man/fr/man1/ventrose.1.gz metainfo/${APP_ID}.metainfo.xml
             doc/ventrose/copyright doc/ventrose/changelog.gz)
  if(NOT EXISTS "${usr}/share/${file}")
    message(FATAL_ERROR "share/${file} not installed")
  endif()
endforeach()
file(REMOVE_RECURSE "${SCRATCH}")
