# The Items Owned window as written down and its controls' identifiers: plain C++, built also
# without a window back-end (the tests read them).
add_library(quorvane_items_window_description STATIC
  ${CMAKE_CURRENT_LIST_DIR}/items_form_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/items_form_description.h
  ${CMAKE_CURRENT_LIST_DIR}/items_form_ids.h)
target_link_libraries(quorvane_items_window_description PUBLIC quorvane_toolkit quorvane_command)
