# What `cmake --install` puts under the prefix: the programs side by side in bin/ (the
# front end starts the engines and the refiner from beside itself), the shipped tables and
# readme in share/brisca/ (copied into each user's working folder on first start), and the
# desktop entry with its icon.
include(GNUInstallDirs)

install(TARGETS mcstand mcsupine mcrefine brisca-merge RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET brisca-job)
  install(TARGETS brisca-job RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET brisca-map)
  install(TARGETS brisca-map RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES
  ${PROJECT_SOURCE_DIR}/data/ICRUSoft.dat
  ${PROJECT_SOURCE_DIR}/data/Air.eac
  ${PROJECT_SOURCE_DIR}/data/Ak2Sv.dat
  ${PROJECT_SOURCE_DIR}/data/MUs.dat
  ${PROJECT_SOURCE_DIR}/data/default-output.op
  ${PROJECT_SOURCE_DIR}/data/readme.txt
  DESTINATION ${CMAKE_INSTALL_DATADIR}/brisca)

if(TARGET brisca)
  install(TARGETS brisca RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/brisca.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/brisca.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
