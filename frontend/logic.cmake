# Widget-free logic of the front end, shared by the window and the console job writer.
add_library(brisca_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/NumberText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/DataTables.cpp)
target_include_directories(brisca_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(brisca_logic PUBLIC brisca_options)
