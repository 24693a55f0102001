# The browser edition's static folder, site/: the page, the program (quorvane.js and .wasm), the
# level table, the icons, the web app manifest and the service worker, whose cache is named after
# what it keeps.
set(QUORVANE_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(QUORVANE_PAGE_FILES
  ${CMAKE_SOURCE_DIR}/web/index.html
  ${CMAKE_SOURCE_DIR}/web/style.css
  ${CMAKE_SOURCE_DIR}/web/page.js
  ${CMAKE_SOURCE_DIR}/web/manifest.webmanifest
  ${CMAKE_SOURCE_DIR}/web/quorvane-192.png
  ${CMAKE_SOURCE_DIR}/web/quorvane-512.png
  ${CMAKE_SOURCE_DIR}/web/quorvane-maskable-512.png
  ${CMAKE_SOURCE_DIR}/resources/quorvane-16.png
  ${CMAKE_SOURCE_DIR}/resources/quorvane-32.png
  ${CMAKE_SOURCE_DIR}/resources/quorvane-48.png
  ${CMAKE_SOURCE_DIR}/data/lvl-xp.txt)
add_custom_command(
  OUTPUT ${QUORVANE_SITE_DIR}/sw.js
  COMMAND ${CMAKE_COMMAND} -DSITE=${QUORVANE_SITE_DIR} -DVERSION=${PROJECT_VERSION}
          -DWORKER=${CMAKE_SOURCE_DIR}/web/sw.js "-DFILES=${QUORVANE_PAGE_FILES}"
          -DPROGRAM=$<TARGET_FILE:quorvane> -P ${CMAKE_SOURCE_DIR}/web/assemble_site.cmake
  DEPENDS quorvane ${QUORVANE_PAGE_FILES} ${CMAKE_SOURCE_DIR}/web/sw.js ${CMAKE_SOURCE_DIR}/web/assemble_site.cmake
  COMMENT "Assembling the browser edition in site/"
  VERBATIM)
add_custom_target(quorvane_site ALL DEPENDS ${QUORVANE_SITE_DIR}/sw.js)
