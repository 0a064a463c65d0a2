# Build-time step of program_folder.cmake: refresh the manual, add Mozaru.ini
# only when the program folder has none.
file(MAKE_DIRECTORY "${PROGRAM_DIR}/${MANUAL_DIR}")
file(COPY_FILE "${RESOURCES}/${MANUAL_DIR}/${MANUAL_NAME}"
     "${PROGRAM_DIR}/${MANUAL_DIR}/${MANUAL_NAME}" ONLY_IF_DIFFERENT)
if(NOT EXISTS "${PROGRAM_DIR}/Mozaru.ini")
  file(COPY_FILE "${RESOURCES}/Mozaru.ini" "${PROGRAM_DIR}/Mozaru.ini")
endif()
