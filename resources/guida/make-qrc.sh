#!/bin/sh
# Writes guida.qrc, the list of the guide's pages and pictures that go into the program, from what
# is in this folder: run after adding or removing a page or a picture.
cd "$(dirname "$0")" || exit 1
{
    echo '<RCC>'
    echo '    <qresource prefix="/guida">'
    for file in pagine.txt *.html immagini/*.png; do
        [ -f "$file" ] && echo "        <file>$file</file>"
    done
    echo '    </qresource>'
    echo '</RCC>'
} >guida.qrc
