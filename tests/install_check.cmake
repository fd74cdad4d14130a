# Installs the build into a staging folder as the Debian package does (prefix /usr) and checks
# that every file lands where it belongs, that the desktop tools accept the desktop entry and the
# metainfo, and that the Windows icon holds its three images.
#   cmake -DBUILD_DIR=... -DSTAGING=... -DICON=... -DVERSION_TEXT=... -P install_check.cmake

set(id org.tolvemar.CalcoloCT)
set(sizes 16 22 32 48 64 128 256)

file(REMOVE_RECURSE ${STAGING})
set(ENV{DESTDIR} ${STAGING})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(expected
    usr/bin/tolvemar
    usr/bin/tolvemar-log
    usr/bin/tolvemar-onorario
    usr/bin/tolvemar-registro
    usr/bin/tolvemar-fattura
    usr/share/applications/${id}.desktop
    usr/share/metainfo/${id}.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/${id}.svg)
foreach(size ${sizes})
    list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${STAGING} ${STAGING}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    list(JOIN installed "\n  " installed)
    list(JOIN expected "\n  " expected)
    message(FATAL_ERROR "Installed:\n  ${installed}\nExpected:\n  ${expected}")
endif()

# The little-endian number of `length` bytes at `offset` of the hex dump `hex`.
function(read_number hex offset length out)
    set(digits "")
    foreach(byte RANGE 1 ${length})
        math(EXPR start "2 * (${offset} + ${byte} - 1)")
        string(SUBSTRING ${hex} ${start} 2 pair)
        string(PREPEND digits ${pair})
    endforeach()
    math(EXPR value "0x${digits}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

# Each hicolor PNG has its folder's size (width and height are big-endian at byte 16 of the file).
foreach(size ${sizes})
    file(READ ${STAGING}/usr/share/icons/hicolor/${size}x${size}/apps/${id}.png ihdr
        OFFSET 16 LIMIT 8 HEX)
    math(EXPR side "0x${ihdr}" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR want "(${size} << 32) | ${size}" OUTPUT_FORMAT HEXADECIMAL)
    if(NOT side STREQUAL want)
        message(FATAL_ERROR "The ${size}x${size} icon is not ${size} pixels square")
    endif()
endforeach()

# The id ties the three together: the desktop entry names the icon, the metainfo the entry.
file(STRINGS ${STAGING}/usr/share/applications/${id}.desktop icon REGEX "^Icon=")
file(STRINGS ${STAGING}/usr/share/metainfo/${id}.metainfo.xml launchable REGEX "<launchable ")
file(STRINGS ${STAGING}/usr/share/metainfo/${id}.metainfo.xml release REGEX "<release ")
if(NOT icon STREQUAL "Icon=${id}" OR NOT launchable MATCHES ">${id}.desktop<")
    message(FATAL_ERROR "The desktop entry's ${icon} or the metainfo's ${launchable} is not ${id}")
endif()
if(NOT release MATCHES "version=\"${VERSION_TEXT}\"")
    message(FATAL_ERROR "The metainfo's release is not ${VERSION_TEXT}: ${release}")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${STAGING}/usr/share/applications/${id}.desktop
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
    ${STAGING}/usr/share/metainfo/${id}.metainfo.xml
    COMMAND_ERROR_IS_FATAL ANY)

# The icon file: a directory of 16-byte entries after a 6-byte header, each entry pointing at a
# bitmap whose own header must agree with it (bitmap height counts the image and its mask).
file(READ ${ICON} ico HEX)
read_number(${ico} 2 2 type)
read_number(${ico} 4 2 count)
if(NOT type EQUAL 1 OR NOT count EQUAL 3)
    message(FATAL_ERROR "${ICON}: not an icon file of three images (type ${type}, ${count} images)")
endif()
set(images "")
foreach(entry 6 22 38)
    read_number(${ico} ${entry} 1 width)
    math(EXPR at "${entry} + 1")
    read_number(${ico} ${at} 1 height)
    math(EXPR at "${entry} + 2")
    read_number(${ico} ${at} 1 colours)
    math(EXPR at "${entry} + 6")
    read_number(${ico} ${at} 2 bits)
    math(EXPR at "${entry} + 12")
    read_number(${ico} ${at} 4 bitmap)
    read_number(${ico} ${bitmap} 4 header_size)
    math(EXPR at "${bitmap} + 4")
    read_number(${ico} ${at} 4 bitmap_width)
    math(EXPR at "${bitmap} + 8")
    read_number(${ico} ${at} 4 bitmap_height)
    math(EXPR at "${bitmap} + 14")
    read_number(${ico} ${at} 2 bitmap_bits)
    math(EXPR palette "1 << ${bits}")
    math(EXPR double_height "2 * ${height}")
    if(NOT header_size EQUAL 40 OR NOT bitmap_width EQUAL width
            OR NOT bitmap_height EQUAL double_height OR NOT bitmap_bits EQUAL bits
            OR NOT colours EQUAL palette)
        message(FATAL_ERROR "${ICON}: the image at byte ${bitmap} does not match its entry")
    endif()
    list(APPEND images "${width}x${height} in ${colours} colours")
endforeach()
set(want "32x32 in 2 colours;32x32 in 16 colours;16x16 in 16 colours")
if(NOT images STREQUAL want)
    message(FATAL_ERROR "${ICON} holds ${images}, not ${want}")
endif()
