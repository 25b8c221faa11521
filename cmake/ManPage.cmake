# Turns a manual page's scdoc source into the page. Installed as it is: the
# package build compresses manual pages as Debian does.
# cmake -D SCDOC=... -D SOURCE=page.1.scd -D OUTPUT=page.1 -D DATE_EPOCH=... -P ManPage.cmake

foreach(var SCDOC SOURCE OUTPUT DATE_EPOCH)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ManPage.cmake: ${var} is not set")
  endif()
endforeach()

# Ninja makes the folders of a command's outputs; Make does not.
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
# The date in the page's footer: the release's, so that every build writes
# the same page.
set(ENV{SOURCE_DATE_EPOCH} ${DATE_EPOCH})
execute_process(COMMAND ${SCDOC} INPUT_FILE ${SOURCE} OUTPUT_FILE ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
