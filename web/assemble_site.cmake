# Puts the page's files beside the solver in the site folder and writes the
# service worker, whose cache is named after a digest of every other file:
# any change to the site gives it a new name.
# cmake -D SOURCE_DIR=<web/> -D ICON_DIR=<packaging/icons> -D SITE=<site/> -P assemble_site.cmake

foreach(var SOURCE_DIR ICON_DIR SITE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "assemble_site.cmake: ${var} is not set")
  endif()
endforeach()

set(page_files index.html style.css vantrel.js practice.js cards.js worksheet.js storage.js
  engines.js engine-worker.js solve.js texts.js
  texts-zh-CN.js texts-zh-TW.js texts-en.js manifest.webmanifest manifest-zh-TW.webmanifest
  manifest-en.webmanifest)
foreach(file ${page_files})
  configure_file(${SOURCE_DIR}/${file} ${SITE}/${file} COPYONLY)
endforeach()
configure_file(${ICON_DIR}/vantrel.svg ${SITE}/icon.svg COPYONLY)
configure_file(${ICON_DIR}/hicolor/256x256/apps/org.vantrel.Vantrel.png ${SITE}/icon-256.png
  COPYONLY)

set(files ${page_files} solver.js solver.wasm icon.svg icon-256.png)
set(digests "")
set(quoted "")
foreach(file ${files})
  if(NOT EXISTS ${SITE}/${file})
    message(FATAL_ERROR "assemble_site.cmake: ${SITE}/${file} is missing")
  endif()
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 16 VANTREL_WEB_BUILD)
list(JOIN quoted ", " VANTREL_WEB_FILES)
configure_file(${SOURCE_DIR}/sw.js.in ${SITE}/sw.js @ONLY)
