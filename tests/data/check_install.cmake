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
foreach(check "appstreamcli;validate;--no-net;usr/share/metainfo/org.example.Kugelfix.metainfo.xml"
              "desktop-file-validate;usr/share/applications/org.example.Kugelfix.desktop")
    execute_process(COMMAND ${check} WORKING_DIRECTORY ${OUTPUT} RESULT_VARIABLE invalid)
    if(NOT invalid EQUAL 0)
        message(FATAL_ERROR "${check} failed: ${invalid}")
    endif()
endforeach()
