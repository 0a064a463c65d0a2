# What the desktop finds after `cmake --install`: the menu entry, the software
# centre's entry, the icons in the hicolor theme, and bin/mozaru and
# bin/mozaru-cli as links into the program folder lib/mozaru. The programs
# find Mozaru.ini and the manual beside their real path, so the folder keeps
# working as it is unpacked.
if(UNIX AND NOT APPLE)
  include(GNUInstallDirs)
  set(MOZARU_ICONS_DIR "${PROJECT_SOURCE_DIR}/resources/icons")
  install(FILES "${PROJECT_SOURCE_DIR}/resources/mozaru.desktop"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  install(FILES "${PROJECT_SOURCE_DIR}/resources/jp.mozaru.Mozaru.metainfo.xml"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES "${MOZARU_ICONS_DIR}/mozaru-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
            RENAME mozaru.png)
  endforeach()
  install(FILES "${MOZARU_ICONS_DIR}/mozaru.svg"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    foreach(program mozaru mozaru-cli)
      file(CREATE_LINK \"../${MOZARU_INSTALL_PROGRAM_DIR}/\${program}\" \"\${bin}/\${program}\"
           SYMBOLIC)
    endforeach()
  ")
endif()
