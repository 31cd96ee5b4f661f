# Included where the tests are configured: the programs that the tests run, each with the Debian package that brings it. A missing
# one stops the configuration, naming the package, instead of leaving its tests out: a
# suite that quietly shrinks on a machine that lacks a tool is a green run that proves
# nothing. scripts/install-deps installs every one of them.
set(ventrose_test_tools
    Xvfb xvfb
    xauth xauth
    openbox openbox
    xdotool xdotool
    xprop x11-utils
    xwininfo x11-utils
    import imagemagick
    gpsd gpsd
    gpspipe gpsd-clients
    pdftotext poppler-utils
    pdfinfo poppler-utils
    gpsfake gpsd-clients
    man man-db
    appstreamcli appstream
    desktop-file-validate desktop-file-utils
    lintian lintian
    dpkg-deb dpkg
    file file)

set(tools ${ventrose_test_tools})
while(tools)
  list(POP_FRONT tools program package)
  string(MAKE_C_IDENTIFIER "VENTROSE_TOOL_${program}" variable)
  find_program(${variable} ${program} PATHS /usr/sbin /usr/bin)
  if(NOT ${variable})
    message(FATAL_ERROR "The tests run ${program}, which is missing: Debian package "
                        "${package} (scripts/install-deps installs it)")
  endif()
endwhile()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# The end-to-end tests read the clipboard with Tk.
execute_process(COMMAND ${Python3_EXECUTABLE} -c "import tkinter" RESULT_VARIABLE no_tk
                OUTPUT_QUIET ERROR_QUIET)
if(no_tk)
  message(FATAL_ERROR "The tests use Python's tkinter, which is missing: Debian package "
                      "python3-tk (scripts/install-deps installs it)")
endif()
