# The page of the browser edition (web_build's site/) in the machine's chromium and in its Firefox
# ESR, through puppeteer-core and axe-core from the lock file in page/, its results checked against
# the native quorvane-cli. One test per engine, each skipping alone when its browser is missing;
# they take turns, as the scenario times the page's answers to the user.
foreach(engine chromium firefox)
  quorvane_web_test(web_page_${engine} TIMEOUT 600 FIXTURES_REQUIRED web_build
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/page/run.sh ${web_build}/site $<TARGET_FILE:quorvane-cli>
            ${CMAKE_CURRENT_BINARY_DIR}/page-${engine} --engine ${engine})
  set_tests_properties(web_page_${engine} PROPERTIES RESOURCE_LOCK web_page)
endforeach()
