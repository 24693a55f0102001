# The Plan, Compare and Hand-ins windows as written down and their controls' identifiers: plain
# C++, built also without a window back-end (the tests read them).
add_library(quorvane_plan_window_description STATIC
  ${CMAKE_CURRENT_LIST_DIR}/table_form_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/table_form_description.h
  ${CMAKE_CURRENT_LIST_DIR}/table_form_ids.h)
target_link_libraries(quorvane_plan_window_description PUBLIC quorvane_toolkit quorvane_command)
