# Installs the build into a fresh prefix, as a user or a packager would, and
# checks that the program arrives as a desktop program: executable, menu entry,
# icons and metainfo where a desktop looks for them, and entries that validate.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(rc)
  message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()

set(id org.quillar.Quillar)
foreach(file bin/quillar bin/quillar-import share/applications/${id}.desktop share/metainfo/${id}.metainfo.xml
             share/icons/hicolor/scalable/apps/${id}.svg share/icons/hicolor/48x48/apps/${id}.png
             share/icons/hicolor/128x128/apps/${id}.png)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The menu entry starts the installed program and shows the installed icon.
file(STRINGS "${PREFIX}/share/applications/${id}.desktop" exec REGEX "^Exec=")
string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" program "${exec}")
if(NOT EXISTS "${PREFIX}/bin/${program}")
  message(FATAL_ERROR "the menu entry runs '${program}', which is not in ${PREFIX}/bin")
endif()
file(STRINGS "${PREFIX}/share/applications/${id}.desktop" icon REGEX "^Icon=")
if(NOT icon STREQUAL "Icon=${id}")
  message(FATAL_ERROR "the menu entry's icon is '${icon}', not the installed ${id}")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${PREFIX}/share/applications/${id}.desktop"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc)
    message(FATAL_ERROR "desktop-file-validate:\n${out}")
  endif()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${PREFIX}/share/metainfo/${id}.metainfo.xml"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc)
    message(FATAL_ERROR "appstreamcli validate:\n${out}")
  endif()
endif()
