# Run by CPack once the files to package are staged: removes the .comment and
# .note sections from every ELF file, as Debian's own packages are stripped
# (CPack's stripping leaves both). Needs CPACK_VANTREL_OBJCOPY.

if(NOT CPACK_VANTREL_OBJCOPY)
  message(FATAL_ERROR "StripSections.cmake: objcopy was not found at configure time")
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file ${staged})
  if(IS_SYMLINK ${file})
    continue()
  endif()
  file(READ ${file} magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(
      COMMAND ${CPACK_VANTREL_OBJCOPY} --remove-section=.comment --remove-section=.note ${file}
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
