# Widget-free logic of the front end, shared by the window and the console job writer:
# number texts, data tables, spectrum, tube output, job file, checks and file writing.
add_library(brisca_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/NumberText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/UserFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/AtomicWrite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/CalculationStart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/DataTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/EngineLocator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/EngineRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/JobFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/JobOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/MeanTubeCurrent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/StartChecks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/TubeOutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup/XraySpectrum.cpp)
target_include_directories(brisca_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(brisca_logic PUBLIC brisca_options)

# The calculation start as a console program, for batches of conditions.
add_executable(brisca-job ${CMAKE_CURRENT_LIST_DIR}/setup/BriscaJob.cpp)
target_link_libraries(brisca-job PRIVATE brisca_logic brisca_options)
