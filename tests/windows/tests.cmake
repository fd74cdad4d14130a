# The suites of the Windows build that differ from Linux's, run on the build machine: what Wine
# cannot give is skipped by name, and the Windows files are checked from outside.

tolvemar_skip_test(install
    "installs the Linux layout (/usr, desktop entry, icons); windows/package.sh lays out the Windows folder")
tolvemar_skip_test(package
    "the Debian package is Linux's; Windows has its NSIS installer, tried by ./build.sh windows")
tolvemar_skip_test(no_display
    "a Windows session always has a display: the check for a missing one is Linux's")

# The version information and the icon of each .exe, read back by pefile, a reader of its own.
find_program(TOLVEMAR_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_test(NAME windows_resources COMMAND ${TOLVEMAR_SYSTEM_PYTHON}
    ${CMAKE_CURRENT_SOURCE_DIR}/windows/resources.py ${TOLVEMAR_VERSION_TEXT}
    $<TARGET_FILE:tolvemar> $<TARGET_FILE:tolvemar-log> $<TARGET_FILE:tolvemar-onorario>
    $<TARGET_FILE:tolvemar-registro> $<TARGET_FILE:tolvemar-fattura>)

# The console programs under Wine print what the Linux ones print, byte for byte, line ends
# aside. The Linux programs come from the Linux build beside this one.
set(TOLVEMAR_LINUX_BUILD ${PROJECT_SOURCE_DIR}/build CACHE PATH
    "Linux build whose console programs the Windows ones are compared with")
add_test(NAME console_parity COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/windows/console_parity.sh
    ${CMAKE_CROSSCOMPILING_EMULATOR} ${TOLVEMAR_LINUX_BUILD}/console
    $<TARGET_FILE_DIR:tolvemar-log> $<TARGET_FILE:sampleregister>)
set_tests_properties(console_parity PROPERTIES RESOURCE_LOCK program_data)

# The documents' fonts beside the programs, as the Windows folder has them (windows/package.sh).
foreach(_folder ${CMAKE_BINARY_DIR}/window ${CMAKE_BINARY_DIR}/tests)
    file(GLOB _fonts /usr/share/fonts/truetype/liberation2/LiberationSans-*.ttf
        /usr/share/fonts/truetype/liberation2/LiberationSerif-*.ttf)
    file(COPY ${_fonts} DESTINATION ${_folder}/fonts)
endforeach()

# The same request as PDF from both builds reads the same, in the fonts that go with the program.
add_test(NAME pdf_parity COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/windows/pdf_parity.sh
    ${CMAKE_CROSSCOMPILING_EMULATOR} ${TOLVEMAR_LINUX_BUILD}/tests/samplerequest
    $<TARGET_FILE:samplerequest>)
