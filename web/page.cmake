# Puts the page together in PAGE and packs it into ZIP, the same bytes from the same build.
#   cmake -DPROGRAM=<folder of kugelfix.js> -DSOURCE=<clone> -DPAGE=<folder> -DZIP=<file>
#         -DVERSION=... -DPAGE_TITLE=... -DPROJECT_DESCRIPTION=... -DFRAME_WIDTH=...
#         -DFRAME_HEIGHT=... -P page.cmake
set(PAGE_COLOUR "#008080")
file(REMOVE_RECURSE ${PAGE})
file(MAKE_DIRECTORY ${PAGE}/icons)
foreach(file kugelfix.js kugelfix.wasm qtloader.js)
    file(COPY_FILE ${PROGRAM}/${file} ${PAGE}/${file})
endforeach()
foreach(size 32 64 192 512)
    file(COPY_FILE ${SOURCE}/data/icons/${size}/kugelfix.png ${PAGE}/icons/kugelfix-${size}.png)
endforeach()

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
