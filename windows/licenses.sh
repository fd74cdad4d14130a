#!/usr/bin/env bash
# Puts into STAGE/licenses the notices of everything the Windows folder carries besides our own
# code: for each DLL and for the fonts, the copyright file of the Debian package of the same
# source version it was built from, the licences those files name from Debian's common ones, and
# LEGGIMI.txt, which lists each component with its version, licence and where its source is.
#   windows/licenses.sh STAGE
# A DLL that no entry below accounts for stops the packaging: nothing is shipped unlicensed.
set -euo pipefail
stage=$1
out=$stage/licenses
rm -rf "$out"
mkdir -p "$out/common-licenses"

# component | the DLLs, as a pattern | Debian binary package whose copyright file applies | licence
components=(
    "Qt 6 (qtbase)|Qt6*.dll platforms/*.dll styles/*.dll sqldrivers/*.dll imageformats/*.dll|libqt6core6|LGPL 3 (GNU Lesser General Public License 3)"
    "SQLite|sqlite3.dll|libsqlite3-0|pubblico dominio"
    "libical|libical*.dll|libical3|LGPL 2.1 o MPL 2.0"
    "libxml2|libxml2*.dll|libxml2|MIT"
    "zlib|zlib1.dll|libz-mingw-w64|licenza zlib"
    "runtime C++ di GCC (MinGW-w64)|libstdc++-6.dll libgcc_s_seh-1.dll|gcc-mingw-w64-x86-64-posix-runtime|GPL 3 con GCC Runtime Library Exception"
    "winpthreads (MinGW-w64)|libwinpthread-1.dll|mingw-w64-common|MIT"
    "font Liberation Sans e Liberation Serif|fonts/Liberation*.ttf|fonts-liberation2|SIL Open Font License 1.1"
)

shipped=$(cd "$stage" && find . -name '*.dll' -o -name '*.ttf' | sed 's|^\./||' | sort)
accounted=()
{
    echo "Calcolo Tolvemar CT: componenti di terze parti inclusi"
    echo
    echo "Ogni componente è compilato dal pacchetto sorgente di Debian 12 indicato, che si"
    echo "ottiene con \"apt-get source PACCHETTO=VERSIONE\" o da https://sources.debian.org/."
    echo "La licenza di ciascuno è nel file NOME.copyright di questa cartella; le licenze"
    echo "che quei file richiamano sono in common-licenses."
    echo
} >"$out/LEGGIMI.txt"
for entry in "${components[@]}"; do
    IFS='|' read -r name patterns package licence <<<"$entry"
    files=()
    for pattern in $patterns; do
        while IFS= read -r file; do
            # shellcheck disable=SC2053 # the pattern is meant to match
            [[ -n "$file" && $file == $pattern || -n "$file" && ${file##*/} == $pattern ]] &&
                files+=("$file")
        done <<<"$shipped"
    done
    [ ${#files[@]} -gt 0 ] || continue
    accounted+=("${files[@]}")
    copyright=/usr/share/doc/$package/copyright
    [ -f "$copyright" ] || { echo "windows/licenses.sh: $copyright is missing" >&2; exit 1; }
    source=$(dpkg-query -W -f='${source:Package} ${source:Version}' "$package")
    cp "$copyright" "$out/$package.copyright"
    # Not every file names one.
    { grep -o '/usr/share/common-licenses/[A-Za-z0-9.+-]*[A-Za-z0-9]' "$copyright" || true; } |
        sort -u |
        while read -r common; do
            [ -f "$common" ] && cp "$common" "$out/common-licenses/"
        done
    {
        echo "$name"
        echo "  file: ${files[*]}"
        echo "  licenza: $licence"
        echo "  sorgente: pacchetto Debian ${source% *} ${source#* }"
        echo "  avvisi: $package.copyright"
        echo
    } >>"$out/LEGGIMI.txt"
done

missing=$(comm -23 <(echo "$shipped") <(printf '%s\n' "${accounted[@]}" | sort))
if [ -n "$missing" ]; then
    echo "windows/licenses.sh: no licence known for: $missing" >&2
    exit 1
fi
