# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on its staging tree before it packs: the programs stripped as Debian strips them
# (dh_strip), so without the compiler's .comment and .note sections that CPack's plain strip keeps.
file(GLOB programas "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*")
if(NOT programas)
  message(FATAL_ERROR "no programs under ${CPACK_TEMPORARY_DIRECTORY}/usr/bin to strip")
endif()
foreach(programa IN LISTS programas)
  execute_process(
    COMMAND ${CPACK_BUSCARPUNTO_STRIP} --remove-section=.comment --remove-section=.note ${programa}
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
