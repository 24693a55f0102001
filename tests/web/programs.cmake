# The number-text program built with emscripten (in the browser edition's tree, where the C
# library converts the numbers): the web tests of the native build compare its lines with theirs.
add_executable(number_text_dump ${CMAKE_CURRENT_LIST_DIR}/number_text_dump.cpp)
target_link_libraries(number_text_dump PRIVATE quorvane_core)
target_link_options(number_text_dump PRIVATE -sENVIRONMENT=node -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0)
