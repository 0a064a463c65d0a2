# Build-time step of program_folder.cmake: refresh the manual and its pictures
# (and on Windows qt.conf and Qt's Japanese texts), add Mozaru.ini only when
# the program folder has none.
file(MAKE_DIRECTORY "${PROGRAM_DIR}/${MANUAL_DIR}")
# The manual and the pictures it shows.
file(GLOB manual_files RELATIVE "${RESOURCES}/${MANUAL_DIR}" "${RESOURCES}/${MANUAL_DIR}/*.html"
     "${RESOURCES}/${MANUAL_DIR}/*.png")
foreach(name IN LISTS manual_files)
  file(COPY_FILE "${RESOURCES}/${MANUAL_DIR}/${name}" "${PROGRAM_DIR}/${MANUAL_DIR}/${name}"
       ONLY_IF_DIFFERENT)
endforeach()
if(NOT EXISTS "${PROGRAM_DIR}/Mozaru.ini")
  file(COPY_FILE "${RESOURCES}/Mozaru.ini" "${PROGRAM_DIR}/Mozaru.ini")
endif()
if(QT_CONF)
  file(COPY_FILE "${QT_CONF}" "${PROGRAM_DIR}/qt.conf" ONLY_IF_DIFFERENT)
endif()
if(QT_JAPANESE)
  file(MAKE_DIRECTORY "${PROGRAM_DIR}/translations")
  file(COPY_FILE "${QT_JAPANESE}" "${PROGRAM_DIR}/translations/qtbase_ja.qm" ONLY_IF_DIFFERENT)
endif()
