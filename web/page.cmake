# Puts the page together in PAGE and packs it into ZIP, the same bytes from the same build.
#   cmake -DPROGRAM=<folder of kugelfix.js> -DSOURCE=<clone> -DPAGE=<folder> -DZIP=<file>
#         -DVERSION=... -DPAGE_TITLE=... -DPROJECT_DESCRIPTION=... -DFRAME_WIDTH=...
#         -DFRAME_HEIGHT=... -DQT=<Qt for WebAssembly> -P page.cmake
set(PAGE_COLOUR "#008080")
file(REMOVE_RECURSE ${PAGE})
file(MAKE_DIRECTORY ${PAGE}/icons)
foreach(file kugelfix.js kugelfix.wasm qtloader.js)
    file(COPY_FILE ${PROGRAM}/${file} ${PAGE}/${file})
endforeach()
foreach(size 32 64 192 512)
    file(COPY_FILE ${SOURCE}/data/icons/${size}/kugelfix.png ${PAGE}/icons/kugelfix-${size}.png)
endforeach()

# The licences of what is inside: Qt, linked in statically, and the Liberation faces.
file(MAKE_DIRECTORY ${PAGE}/licenses)
file(COPY_FILE ${SOURCE}/debian/copyright ${PAGE}/licenses/Kugelfix.txt)
file(COPY_FILE ${QT}/kugelfix-qt-copyright.txt ${PAGE}/licenses/Qt.txt)
file(COPY_FILE /usr/share/common-licenses/LGPL-3 ${PAGE}/licenses/LGPL-3.txt)
file(COPY_FILE /usr/share/common-licenses/GPL-3 ${PAGE}/licenses/GPL-3.txt)
foreach(package fonts-liberation fonts-liberation-sans-narrow)
    if(EXISTS /usr/share/doc/${package}/copyright)
        file(COPY_FILE /usr/share/doc/${package}/copyright ${PAGE}/licenses/${package}.txt)
    endif()
endforeach()
file(STRINGS ${QT}/kugelfix-qt.txt qt)
list(POP_FRONT qt qt_version)
list(JOIN qt "\n    " qt_options)
file(WRITE ${PAGE}/licenses/Qt-source.txt
"kugelfix.wasm contains Qt ${qt_version} (Core, Gui, Widgets, the wasm platform and the GIF\n"
"plug-in), linked in statically, under the GNU Lesser General Public License version 3\n"
"(LGPL-3.txt). It was built, unchanged, from the Debian source package qt6-base ${qt_version},\n"
"which can be fetched with\n"
"    apt-get source qt6-base=${qt_version}\n"
"or from https://snapshot.debian.org/package/qt6-base/${qt_version}/, for WebAssembly\n"
"with Debian's emscripten and these options:\n    ${qt_options}\n")

file(SIZE ${PAGE}/kugelfix.wasm WASM_BYTES)
# A browser folds runs of blanks in a title; the program's keep their width.
string(REPLACE "  " "&#160;&#160;" PAGE_TITLE "${PAGE_TITLE}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/index.html.in ${PAGE}/index.html @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kugelfix.webmanifest.in ${PAGE}/kugelfix.webmanifest @ONLY)

# The service worker names its cache after everything it keeps.
file(GLOB_RECURSE files RELATIVE ${PAGE} ${PAGE}/*)
list(SORT files)
set(digest "")
set(PAGE_FILES "\"./\"")
foreach(file IN LISTS files)
    file(SHA256 ${PAGE}/${file} sum)
    string(APPEND digest "${sum} ${file}\n")
    string(APPEND PAGE_FILES ", \"${file}\"")
endforeach()
string(SHA256 PAGE_ID "${digest}")
string(SUBSTRING ${PAGE_ID} 0 16 PAGE_ID)
set(PAGE_ID "${VERSION}-${PAGE_ID}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/service-worker.js.in ${PAGE}/service-worker.js @ONLY)

# Unpacked, the page is one folder of its name; the files in a fixed order and time.
list(APPEND files service-worker.js)
list(SORT files)
get_filename_component(top ${PAGE} NAME)
list(TRANSFORM files PREPEND ${top}/)
get_filename_component(folder ${ZIP} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(REMOVE ${ZIP})
get_filename_component(parent ${PAGE} DIRECTORY)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip "--mtime=1980-01-01 00:00:00 UTC"
                        -- ${files}
                WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
