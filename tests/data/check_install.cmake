# Installs into a scratch folder and checks the layout and the desktop metadata.
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${OUTPUT}/usr
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
set(expected
    usr/${BINDIR}/kugelfix
    usr/${MANDIR}/man6/kugelfix.6
    usr/share/applications/org.example.Kugelfix.desktop
    usr/share/metainfo/org.example.Kugelfix.metainfo.xml
    usr/share/icons/hicolor/32x32/apps/org.example.Kugelfix.png
    usr/share/icons/hicolor/48x48/apps/org.example.Kugelfix.png
    usr/share/icons/hicolor/64x64/apps/org.example.Kugelfix.png)
file(GLOB_RECURSE installed RELATIVE ${OUTPUT} ${OUTPUT}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed files:\n${installed}\nexpected:\n${expected}")
endif()
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                ${OUTPUT}/usr/share/metainfo/org.example.Kugelfix.metainfo.xml
                RESULT_VARIABLE invalid)
if(invalid)
    message(FATAL_ERROR "metainfo does not validate")
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE}
                ${OUTPUT}/usr/share/applications/org.example.Kugelfix.desktop
                RESULT_VARIABLE invalid)
if(invalid)
    message(FATAL_ERROR "desktop entry does not validate")
endif()
