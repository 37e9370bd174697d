# The windows, the platform layer and the brisca program. The forms read their controls and
# call the widget-free logic library for every computation.
if(TARGET brisca_logic)
  set(CMAKE_AUTOMOC ON)

  add_library(brisca_forms STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Forms.cpp
    ${CMAKE_CURRENT_LIST_DIR}/JapaneseFont.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Module1.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PictureBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/Platform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/QtPlatform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/ScriptedPlatform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/platform/TerminalCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup/Form2.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup/Form2CalculationStart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup/Form4.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup/Form7.cpp)
  target_include_directories(brisca_forms PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(brisca_forms PUBLIC brisca_logic Qt6::Widgets brisca_options)

  add_executable(brisca ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
  target_link_libraries(brisca PRIVATE brisca_forms brisca_options)
endif()
