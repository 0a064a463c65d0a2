# The window program, placed in the program folder beside the settings file
# and the manual.
add_executable(mozaru "${CMAKE_CURRENT_SOURCE_DIR}/app/main.cpp")
target_link_libraries(mozaru PRIVATE mozaru_gui)
set_target_properties(mozaru PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${MOZARU_PROGRAM_DIR}")
install(TARGETS mozaru RUNTIME DESTINATION .)
