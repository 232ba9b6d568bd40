# SPDX-License-Identifier: GPL-3.0-or-later
# A file installed gzip-compressed, as Debian ships manual pages and changelogs; -n keeps the
# archive byte-identical between builds.
find_program(GZIP_PROGRAMA gzip REQUIRED)

# instalar_comprimido(TARGET SOURCE NAME DESTINATION): SOURCE is installed as DESTINATION/NAME.gz.
function(instalar_comprimido objetivo fuente nombre destino)
  set(copia ${CMAKE_CURRENT_BINARY_DIR}/${nombre})
  add_custom_command(
    OUTPUT ${copia}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${fuente} ${copia}
    COMMAND ${GZIP_PROGRAMA} -9nf ${copia}
    DEPENDS ${fuente}
    COMMENT "Compressing ${nombre}"
    VERBATIM)
  add_custom_target(${objetivo} ALL DEPENDS ${copia}.gz)
  install(FILES ${copia}.gz DESTINATION ${destino})
endfunction()
