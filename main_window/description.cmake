# The main window as written down, its controls' identifiers and the Calculate command's fields
# on it: plain C++, built also without a window back-end (the command line and the tests read it).
add_library(quorvane_main_window_description STATIC
  ${CMAKE_CURRENT_LIST_DIR}/main_form_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form_description.h
  ${CMAKE_CURRENT_LIST_DIR}/main_form_ids.h)
target_link_libraries(quorvane_main_window_description PUBLIC quorvane_toolkit quorvane_command)
