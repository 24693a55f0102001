# The About box as written down and its controls' identifiers: plain C++, built also without a
# window back-end.
add_library(quorvane_about_description STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about_form_description.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_form_description.h
  ${CMAKE_CURRENT_LIST_DIR}/about_form_ids.h)
target_link_libraries(quorvane_about_description PUBLIC quorvane_toolkit)
