# The manual page ventrose(1): one source per language, man/<language>/ventrose.1.in, with
# the project's version put in at configure time and compressed for installation. Each
# language's page goes to share/man/<language>/man1; the default page (share/man/man1) is
# the English one when there is one, otherwise the first language's.
set(VENTROSE_MANUAL_LANGUAGES fr)

find_program(GZIP gzip REQUIRED)
set(manual_pages)
set(manual_sources)
foreach(language IN LISTS VENTROSE_MANUAL_LANGUAGES)
  set(source ${CMAKE_SOURCE_DIR}/man/${language}/ventrose.1.in)
  set(page ${CMAKE_BINARY_DIR}/man/${language}/ventrose.1)
  configure_file(${source} ${page} @ONLY)
  # -n: no name or time stamp in the header, so the same page gives the same bytes.
  add_custom_command(OUTPUT ${page}.gz
                     COMMAND ${GZIP} -9 -n -f -k ${page}
                     DEPENDS ${page}
                     COMMENT "Compressing the manual page (${language})")
  list(APPEND manual_pages ${page}.gz)
  list(APPEND manual_sources ${source})
  if(NOT language STREQUAL "en")
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${language}/man1)
  endif()
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${manual_pages})

if("en" IN_LIST VENTROSE_MANUAL_LANGUAGES)
  set(default_language en)
else()
  list(GET VENTROSE_MANUAL_LANGUAGES 0 default_language)
endif()
install(FILES ${CMAKE_BINARY_DIR}/man/${default_language}/ventrose.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
