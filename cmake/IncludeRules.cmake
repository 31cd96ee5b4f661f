# Checks which folder of src/ may include which, so that the arrows between the folders go one
# way: the program wires the windows together, the windows show the link, the link drives the
# serial component, and everything stands on the Qt-free base. Run as a build step
# (cmake -DSOURCE_DIR=... -DSTAMP=... -P); a file whose include crosses the wrong way fails the
# build with its name and line. A folder is named by its path under src/ ("serial/port");
# "platform" in a list allows every folder under it. The serial library is sealed: from
# outside src/serial, "serial" allows only its top-level headers (serial/Port.h,
# serial/Devices.h...), one per use; a sub-folder is reached only where it is listed by name.
cmake_policy(SET CMP0057 NEW) # if(... IN_LIST ...)

set(folders base compass serial serial/port serial/posix serial/virtual serial/trace serial/devices
    serial/persistence sim geomag deviation headinglog nmea gnss platform/app platform/ui
    platform/media platform/desktop settings widgets dialogs swing link logwindow mainwindow
    program)

# Folders whose sub-folders are reached from outside only through their top-level headers.
set(sealed serial)

# What each folder may include besides itself and the base.
set(allowed_base "")
set(allowed_compass "")
set(allowed_serial serial/port serial/posix serial/virtual serial/trace serial/devices
    serial/persistence)
set(allowed_serial/port "")
set(allowed_serial/posix serial/port serial/devices)
set(allowed_serial/virtual serial/port)
set(allowed_serial/trace serial/port)
set(allowed_serial/devices "")
set(allowed_serial/persistence serial/port)
set(allowed_sim serial)
set(allowed_geomag "")
set(allowed_deviation compass)
set(allowed_headinglog compass)
set(allowed_nmea compass deviation)
set(allowed_gnss geomag)
set(allowed_platform/app "")
set(allowed_platform/ui platform/app)
set(allowed_platform/media platform/app)
set(allowed_platform/desktop platform/app)
set(allowed_settings platform serial)
set(allowed_widgets platform)
set(allowed_dialogs compass settings platform widgets serial geomag nmea deviation)
set(allowed_swing compass deviation headinglog gnss geomag settings platform widgets dialogs)
set(allowed_link compass settings platform serial)
set(allowed_logwindow link compass deviation headinglog dialogs settings platform widgets sim)
set(allowed_mainwindow link compass deviation dialogs swing settings platform widgets serial nmea)
set(allowed_program mainwindow logwindow link compass dialogs swing gnss settings platform widgets
    serial sim geomag deviation headinglog nmea)

# The folder an include path or a file under src/ belongs to: the longest listed folder it
# starts with.
function(folder_of path out)
  set(found "")
  foreach(folder ${folders})
    string(LENGTH "${folder}" length)
    string(FIND "${path}" "${folder}/" at)
    if(at EQUAL 0)
      string(LENGTH "${found}" found_length)
      if(length GREATER found_length)
        set(found ${folder})
      endif()
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(violations "")
file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.h)
foreach(file ${files})
  file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
  string(REGEX REPLACE "^src/" "" relative "${shown}")
  folder_of("${relative}" from)
  if(from STREQUAL "")
    string(APPEND violations "\n  ${shown}: in no folder the rules know (cmake/IncludeRules.cmake)")
    continue()
  endif()
  file(STRINGS ${file} includes REGEX "^#include \"[a-z]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
    folder_of("${included}" to)
    if(to STREQUAL "" OR to STREQUAL from OR to STREQUAL "base")
      continue()
    endif()
    string(REGEX REPLACE "/.*" "" to_top "${to}")
    string(REGEX REPLACE "/.*" "" from_top "${from}")
    if(to IN_LIST allowed_${from})
      continue()
    endif()
    # A folder named in the list allows its sub-folders, but a sealed one's only from inside.
    if(NOT to_top STREQUAL to AND to_top IN_LIST allowed_${from}
       AND (NOT to_top IN_LIST sealed OR to_top STREQUAL from_top))
      continue()
    endif()
    set(why "${from} may include only: ${allowed_${from}} base")
    if(to_top IN_LIST sealed AND NOT to_top STREQUAL from_top)
      string(APPEND why "; from outside ${to_top}/, only its top-level headers")
    endif()
    string(APPEND violations "\n  ${shown}: ${line} (${why})")
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "An include crosses between the folders of src/ the wrong way:${violations}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
