#!/bin/sh
# The same fee request written by the Linux build and by the Windows one under Wine: pdftotext
# reads the same text of both, and each embeds Liberation Serif and Liberation Sans. (The text is
# compared in reading order: pdftotext's layout mode may put one space more or less before a
# right-aligned amount, as the font engines of the two systems round an advance.)
#   pdf_parity.sh WINE_RUN LINUX_SAMPLEREQUEST WINDOWS_SAMPLEREQUEST_EXE
set -u
run=$1 linux=$2 windows=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
QT_QPA_PLATFORM=offscreen "$linux" linux.pdf || { echo "the Linux build wrote no PDF"; exit 1; }
QT_QPA_PLATFORM=offscreen "$run" "$windows" windows.pdf || { echo "the Windows build wrote no PDF"; exit 1; }
# Wine may tell the end before the file is whole.
for _ in $(seq 50); do pdfinfo windows.pdf >/dev/null 2>&1 && break; sleep 0.2; done
status=0
for system in linux windows; do
    pdftotext "$system.pdf" "$system.txt"
    pdffonts "$system.pdf" >"$system.fonts"
    for family in LiberationSerif LiberationSans; do
        grep -E "^([A-Z]{6}\+)?$family(-[A-Za-z]+)? .* yes +(yes|no) +(yes|no) +[0-9]+ +[0-9]+$" \
            "$system.fonts" >/dev/null ||
            { echo "$system: $family is not embedded"; cat "$system.fonts"; status=1; }
    done
done
grep -q "Tribunale di Forlì" linux.txt || { echo "the Linux PDF has no text"; status=1; }
diff -u linux.txt windows.txt || { echo "the two PDFs read differently"; status=1; }
[ "$status" -eq 0 ] && echo "the same text in both, both fonts embedded: $(wc -l <linux.txt) lines"
exit "$status"
