# The real program, with no display to reach and no platform chosen: a mistake on its
# command line is reported with exit status 2 (not the platform plug-in's abort), and the
# help and the declination need no display either.
#   cmake -DPROGRAM=<ventrose> -P WithoutDisplay.cmake
set(hint "Essayez « ventrose --help » pour la liste des options.")
set(failed FALSE)

# Runs the program with the arguments that follow; checks its status, the start of its
# standard output and its whole standard error.
function(expect status output_start error)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM ${PROGRAM} ${ARGN}
    RESULT_VARIABLE got_status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(FIND "${out}" "${output_start}" at)
  if(NOT got_status STREQUAL status OR NOT err STREQUAL error OR NOT at EQUAL 0)
    message(SEND_ERROR "ventrose ${ARGN}: status ${got_status} (expected ${status}),\n"
                       "standard output:\n${out}\nstandard error:\n${err}\n"
                       "expected:\n${output_start}\n${error}")
    set(failed TRUE PARENT_SCOPE)
  endif()
endfunction()

expect(2 "" "ventrose : option inconnue « --bogus ».\n${hint}\n" --bogus)
expect(2 "" "ventrose : il manque la valeur DIR de l'option --data-dir.\n${hint}\n"
       --simulate --data-dir)
expect(0 "Utilisation : ventrose [options]\n" "" --help)
# The declination of Paris, about 2° east these years.
expect(0 "2." "" --declination 48.8566 2.3522 2026-12-07)
expect(2 "" "ventrose : longitude « nord » incorrecte : la longitude s'écrit en degrés décimaux \
(2.3522, -0.57) ou en degrés et minutes (2 21.1 E, 0°34' O).\n${hint}\n"
       --declination 48.8566 nord)
# Outside the model's years, only when asked for.
expect(2 "" "ventrose : le 0001-01-01 est hors de la période de validité du modèle WMM2025 \
(2025 à 2029) : la déclinaison n'y serait qu'une extrapolation, que l'option --extrapolate \
demande.\n${hint}\n"
       --declination 48.8566 2.3522 0001-01-01)
if(failed)
  message(FATAL_ERROR "the command line needs a display")
endif()
