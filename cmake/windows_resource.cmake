# The window's resource script (version and icon) for Windows builds, in
# MOZARU_WINDOWS_RC. Windows shows major.minor.0.revision, as the caption does.
set(MOZARU_FILE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}")
set(MOZARU_ICON "${PROJECT_SOURCE_DIR}/resources/icons/mozaru.ico")
if(EXISTS "${MOZARU_ICON}")
  # IDI_ICON1 is the name Qt's Windows platform takes the windows' icon from.
  set(MOZARU_RC_ICON_LINE "IDI_ICON1 ICON \"${MOZARU_ICON}\"")
else()
  set(MOZARU_RC_ICON_LINE "// No icon: resources/icons/mozaru.ico is missing.")
endif()
set(MOZARU_WINDOWS_RC "${CMAKE_BINARY_DIR}/mozaru.rc")
configure_file("${CMAKE_CURRENT_LIST_DIR}/mozaru.rc.in" "${MOZARU_WINDOWS_RC}" @ONLY)
