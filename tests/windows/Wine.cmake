# The Windows test programs run under Wine, in a prefix of the build's own, finding Qt's DLLs
# and the compiler's runtime through WINEPATH.
find_program(KUGELFIX_WINE wine REQUIRED)
set(runtime_dirs "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    get_filename_component(folder "${found}" DIRECTORY)
    get_filename_component(folder "${folder}" REALPATH)
    list(APPEND runtime_dirs "${folder}")
endforeach()
set(KUGELFIX_WINEPATH "")
foreach(folder IN LISTS runtime_dirs)
    string(REPLACE "/" "\\" folder "Z:${folder}")
    string(APPEND KUGELFIX_WINEPATH "${folder}\;")
endforeach()
set(KUGELFIX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
string(REPLACE "/" "\\" KUGELFIX_FONTDIR "Z:${KUGELFIX_LIBERATION_DIR}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
