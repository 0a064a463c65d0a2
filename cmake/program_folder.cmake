# The files users find beside the programs: the manual, refreshed on every
# build, and the settings file, copied only when none is there so that a
# user's own settings are never replaced.
set(MOZARU_RESOURCES_DIR "${PROJECT_SOURCE_DIR}/resources")
set(MOZARU_MANUAL_DIR "説明書")
set(MOZARU_MANUAL_NAME "説明書.html")

# Windows with a static Qt (scripts/windows-deps): no Qt libraries or plugins
# go beside the programs, but qt.conf, which makes the program folder Qt's
# prefix, so that the window finds translations/qtbase_ja.qm there, the
# Japanese texts of Qt's buttons and dialogs (Debian's, for the same Qt).
set(MOZARU_QT_CONF "")
set(MOZARU_QT_JAPANESE "")
if(WIN32 AND MOZARU_WITH_WINDOW)
  get_target_property(MOZARU_QT_TYPE Qt6::Core TYPE)
  if(MOZARU_QT_TYPE STREQUAL "STATIC_LIBRARY")
    set(MOZARU_QT_CONF "${MOZARU_RESOURCES_DIR}/windows/qt.conf")
    # A cache variable of its own: the empty MOZARU_QT_JAPANESE above would
    # hide find_file's answer.
    find_file(MOZARU_QT_JAPANESE_FILE qtbase_ja.qm
              PATHS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}" /usr/share/qt6/translations
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(MOZARU_QT_JAPANESE "${MOZARU_QT_JAPANESE_FILE}")
    install(FILES "${MOZARU_QT_CONF}" DESTINATION .)
    install(FILES "${MOZARU_QT_JAPANESE}" DESTINATION translations)
  endif()
endif()

add_custom_target(mozaru_program_files ALL
  COMMAND "${CMAKE_COMMAND}"
          "-DRESOURCES=${MOZARU_RESOURCES_DIR}"
          "-DPROGRAM_DIR=${MOZARU_PROGRAM_DIR}"
          "-DMANUAL_DIR=${MOZARU_MANUAL_DIR}"
          "-DMANUAL_NAME=${MOZARU_MANUAL_NAME}"
          "-DQT_CONF=${MOZARU_QT_CONF}"
          "-DQT_JAPANESE=${MOZARU_QT_JAPANESE}"
          -P "${CMAKE_CURRENT_LIST_DIR}/copy_program_files.cmake"
  COMMENT "Placing the manual and Mozaru.ini in ${MOZARU_PROGRAM_DIR}"
  VERBATIM)

install(FILES "${MOZARU_RESOURCES_DIR}/${MOZARU_MANUAL_DIR}/${MOZARU_MANUAL_NAME}"
              "${MOZARU_RESOURCES_DIR}/${MOZARU_MANUAL_DIR}/export-page.png"
              "${MOZARU_RESOURCES_DIR}/${MOZARU_MANUAL_DIR}/export-picture.png"
        DESTINATION "${MOZARU_INSTALL_PROGRAM_DIR}/${MOZARU_MANUAL_DIR}")
# install(FILES) would replace an installed Mozaru.ini, and with it the
# user's folder and choices.
install(CODE "
  set(folder \"\${CMAKE_INSTALL_PREFIX}/${MOZARU_INSTALL_PROGRAM_DIR}\")
  set(target \"\$ENV{DESTDIR}\${folder}/Mozaru.ini\")
  if(NOT EXISTS \"\${target}\")
    # file(INSTALL) puts DESTDIR in front by itself.
    file(INSTALL \"${MOZARU_RESOURCES_DIR}/Mozaru.ini\" DESTINATION \"\${folder}\")
  else()
    message(STATUS \"Kept: \${target}\")
  endif()
")

# Windows: the Qt libraries and plugins beside the installed programs (after
# both are installed, hence here).
if(WIN32 AND MOZARU_WITH_WINDOW AND NOT MOZARU_QT_CONF)
  find_program(MOZARU_WINDEPLOYQT windeployqt HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
  if(MOZARU_WINDEPLOYQT)
    install(CODE "
      foreach(program \"$<TARGET_FILE_NAME:mozaru>\" \"$<TARGET_FILE_NAME:mozaru-cli>\")
        execute_process(COMMAND \"${MOZARU_WINDEPLOYQT}\" --no-system-d3d-compiler
                                \"\${CMAKE_INSTALL_PREFIX}/${MOZARU_INSTALL_PROGRAM_DIR}/\${program}\"
                        COMMAND_ERROR_IS_FATAL ANY)
      endforeach()
    ")
  else()
    message(STATUS "windeployqt not found: the install step leaves the Qt libraries out")
  endif()
endif()
