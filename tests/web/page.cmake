# The page of the browser edition (web_build's site/) in the machine's chromium, through
# puppeteer-core and axe-core from the lock file in page/, its results checked against the native
# quorvane-cli.
quorvane_web_test(web_page TIMEOUT 600 FIXTURES_REQUIRED web_build
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/page/run.sh ${web_build}/site $<TARGET_FILE:quorvane-cli>
          ${CMAKE_CURRENT_BINARY_DIR}/page)
