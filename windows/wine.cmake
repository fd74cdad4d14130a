# A Windows build made on Linux runs its tests under Wine: every test program goes through
# wine-run.sh, which finds Qt's DLLs, the libraries' and MinGW's runtime. Included by the top
# CMakeLists.txt when cross-compiling for Windows.
find_program(TOLVEMAR_WINE wine REQUIRED)

# The folders of the DLLs, as Wine reads them (Z: is the root of the Linux file system).
set(_dll_folders "")
get_filename_component(_qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
foreach(_prefix IN LISTS CMAKE_FIND_ROOT_PATH)
    if(EXISTS "${_prefix}/bin")
        list(APPEND _dll_folders "${_prefix}/bin")
    endif()
endforeach()
list(APPEND _dll_folders "${_qt_prefix}/bin")
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE _libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(_runtime "${_libstdcxx}" DIRECTORY)
list(APPEND _dll_folders "${_runtime}" "/usr/x86_64-w64-mingw32/lib")
list(REMOVE_DUPLICATES _dll_folders)
list(TRANSFORM _dll_folders PREPEND "Z:")
list(JOIN _dll_folders ";" TOLVEMAR_WINEPATH)

# The cache of windows/deps.sh holds the Wine prefix too.
if(DEFINED ENV{TOLVEMAR_WINDOWS_CACHE})
    set(_cache "$ENV{TOLVEMAR_WINDOWS_CACHE}")
elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(_cache "$ENV{XDG_CACHE_HOME}/tolvemar/windows")
else()
    set(_cache "$ENV{HOME}/.cache/tolvemar/windows")
endif()
set(TOLVEMAR_WINE_CACHE "${_cache}" CACHE PATH "Folder of the Wine prefix in which the tests run")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
