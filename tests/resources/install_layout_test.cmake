# Installs the build into a fresh prefix and checks where everything lands:
# the program folder as users unpack it in lib/mozaru, links to it in bin, and
# the freedesktop places; nothing else at the prefix's top.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
set(expected
  lib/mozaru/mozaru lib/mozaru/mozaru-cli lib/mozaru/Mozaru.ini lib/mozaru/説明書/説明書.html
  lib/mozaru/説明書/export-page.png lib/mozaru/説明書/export-picture.png
  bin/mozaru bin/mozaru-cli
  share/applications/mozaru.desktop
  share/metainfo/jp.mozaru.Mozaru.metainfo.xml
  share/icons/hicolor/scalable/apps/mozaru.svg)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected "share/icons/hicolor/${size}x${size}/apps/mozaru.png")
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()
file(GLOB top RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT top)
if(NOT top STREQUAL "bin;lib;share")
  message(FATAL_ERROR "the prefix holds ${top}, not bin, lib and share")
endif()
# bin/ holds links into the program folder, so the programs find their files.
file(READ_SYMLINK "${PREFIX}/bin/mozaru" target)
if(NOT target STREQUAL "../lib/mozaru/mozaru")
  message(FATAL_ERROR "bin/mozaru links to ${target}, not ../lib/mozaru/mozaru")
endif()
execute_process(COMMAND "${PREFIX}/bin/mozaru-cli" extract --help RESULT_VARIABLE status
                OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "bin/mozaru-cli does not run: ${status}")
endif()
