#!/usr/bin/env bash
# Builds, for 64-bit Windows, the Qt and the libraries that the Linux build of Tolvemar uses,
# from Debian's own source packages of the very versions installed on this machine:
# SQLite (Qt's SQL driver links it as a system library), libical, libxml2 and qtbase.
#
# Each one is installed into a folder of the cache named after its source version, for example
#   ~/.cache/tolvemar/windows/qt6-base-6.4.2+dfsg-10/
# A folder is built under a ".partial" name and renamed only once its build has succeeded, so a
# failed or interrupted build never leaves a folder that a later run would trust. A second run
# finds the folders and builds nothing.
#
#   windows/deps.sh         build what is missing, then print the prefixes, one per line
# TOLVEMAR_WINDOWS_CACHE overrides the cache folder.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cache=${TOLVEMAR_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tolvemar/windows}
toolchain=$here/toolchain-mingw64.cmake
jobs=$(nproc)
mkdir -p "$cache/src"
# One run at a time: a second one waits, then finds what the first built, instead of removing
# the folder the first is building in.
exec 9>"$cache/.lock"
flock 9

fail() {
    echo "windows/deps.sh: $*" >&2
    exit 1
}

# The source version of the installed Linux package that the Windows build must match.
source_version() {
    dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null ||
        fail "the package $1 is not installed: it gives the version to build for Windows"
}

# Unpacks a Debian source package into DIR with its patches applied. Debian's mirrors sometimes
# lose a Debian tarball of an old revision; then the upstream tarball is used as it stands.
#   unpack SOURCE VERSION DIR
unpack() {
    local source=$1 version=$2 dir=$3 upstream=${2%-*}
    upstream=${upstream#*:}
    (cd "$cache/src" && apt-get source --download-only -qq "$source=$version" >/dev/null 2>&1) || true
    rm -rf "$dir"
    if [ -f "$cache/src/${source}_${upstream}-${version##*-}.debian.tar.xz" ] ||
        [ -f "$cache/src/${source}_${version#*:}.debian.tar.xz" ]; then
        dpkg-source --no-check -x "$cache/src/${source}_${version#*:}.dsc" "$dir" >/dev/null
    else
        local orig
        orig=$(ls "$cache/src/${source}_${upstream}.orig.tar."* 2>/dev/null | grep -v -- '-www' | head -n 1)
        [ -n "$orig" ] || fail "no source of $source $version: is there a deb-src entry in /etc/apt/sources.list.d?"
        echo "windows/deps.sh: $source $version: Debian's patches are not on the mirror; building upstream $upstream" >&2
        mkdir -p "$dir"
        tar -xf "$orig" -C "$dir" --strip-components=1
    fi
}

# Runs BUILD-FUNCTION for a library unless its folder is in the cache, then renames it into place.
#   ensure NAME VERSION BUILD-FUNCTION
ensure() {
    local prefix="$cache/$1-$2"
    if [ -f "$prefix/.complete" ]; then
        echo "$prefix"
        return
    fi
    local partial="$prefix.partial" work="$cache/build/$1-$2" log="$cache/$1-$2.log"
    rm -rf "$partial" "$work"
    mkdir -p "$work"
    echo "windows/deps.sh: building $1 $2 for Windows (log: $log)" >&2
    local started=$SECONDS
    if ! "$3" "$2" "$work" "$partial" >"$log" 2>&1; then
        tail -n 30 "$log" >&2
        rm -rf "$partial"
        fail "$1 $2 did not build for Windows; the log is $log"
    fi
    # Marked complete only in its final place, so that nothing reading the cache takes a
    # ".partial" folder for a finished one.
    rm -rf "$prefix" "$work"
    mv "$partial" "$prefix"
    echo "built in $((SECONDS - started)) s on $(date -u +%FT%TZ)" >"$prefix/.complete"
    echo "windows/deps.sh: $1 $2 built in $((SECONDS - started)) s" >&2
    echo "$prefix"
}

build_sqlite() {
    local version=$1 work=$2 prefix=$3
    unpack sqlite3 "$version" "$work/src"
    # The amalgamation is generated on the build machine, then compiled for Windows with the
    # options of Debian's own package.
    (cd "$work/src" && ./configure --disable-tcl >/dev/null && make -j"$jobs" sqlite3.c)
    local flags=(-O2 -fno-strict-aliasing -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA
        -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_RTREE=1
        -DSQLITE_SOUNDEX=1 -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_OMIT_LOOKASIDE=1
        -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1 -DSQLITE_ENABLE_JSON1
        -DSQLITE_LIKE_DOESNT_MATCH_BLOBS -DSQLITE_THREADSAFE=1 -DSQLITE_USE_URI=1
        -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_MAX_VARIABLE_NUMBER=250000
        "-DSQLITE_API=__declspec(dllexport)")
    mkdir -p "$prefix/bin" "$prefix/lib" "$prefix/include"
    x86_64-w64-mingw32-gcc-posix "${flags[@]}" -shared -o "$prefix/bin/sqlite3.dll" \
        "$work/src/sqlite3.c" -Wl,--out-implib,"$prefix/lib/libsqlite3.dll.a"
    cp "$work/src/sqlite3.h" "$work/src/src/sqlite3ext.h" "$prefix/include/" 2>/dev/null ||
        cp "$work/src/sqlite3.h" "$prefix/include/"
}

build_cmake() {
    local src=$1 work=$2 prefix=$3
    shift 3
    cmake -G Ninja -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
    cmake --build "$work/build" -j "$jobs"
    cmake --install "$work/build"
}

build_libical() {
    unpack libical3 "$1" "$2/src"
    build_cmake "$2/src" "$2" "$3" -DICAL_GLIB=OFF -DICAL_BUILD_DOCS=OFF \
        -DGOBJECT_INTROSPECTION=OFF -DWITH_CXX_BINDINGS=OFF -DLIBICAL_BUILD_TESTING=OFF \
        -DUSE_BUILTIN_TZDATA=ON -DSTATIC_ONLY=OFF -DSHARED_ONLY=ON -DENABLE_GTK_DOC=OFF \
        -DCMAKE_DISABLE_FIND_PACKAGE_ICU=ON -DCMAKE_DISABLE_FIND_PACKAGE_BDB=ON \
        -DCMAKE_DISABLE_FIND_PACKAGE_Doxygen=ON
}

build_libxml2() {
    unpack libxml2 "$1" "$2/src"
    build_cmake "$2/src" "$2" "$3" -DBUILD_SHARED_LIBS=ON -DLIBXML2_WITH_ICONV=OFF \
        -DLIBXML2_WITH_ICU=OFF -DLIBXML2_WITH_LZMA=OFF -DLIBXML2_WITH_ZLIB=OFF \
        -DLIBXML2_WITH_PYTHON=OFF -DLIBXML2_WITH_TESTS=OFF -DLIBXML2_WITH_PROGRAMS=OFF \
        -DLIBXML2_WITH_HTTP=OFF -DLIBXML2_WITH_FTP=OFF
}

build_qt() {
    local version=$1 work=$2 prefix=$3
    unpack qt6-base "$version" "$work/src"
    # Only the modules the program uses. Debian's tarball leaves out the Wintab headers, hence
    # no tablet events; the windows platform plugin needs OpenGL (dynamic, chosen at run time).
    TOLVEMAR_WINDOWS_PREFIXES="$sqlite_prefix" build_cmake "$work/src" "$work" "$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_openglwidgets=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF \
        -DFEATURE_tabletevent=OFF \
        -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON -DFEATURE_sql_odbc=OFF \
        -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF \
        -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
        -DSQLite3_INCLUDE_DIR="$sqlite_prefix/include" \
        -DSQLite3_LIBRARY="$sqlite_prefix/lib/libsqlite3.dll.a"
    grep -q 'qwindows' < <(find "$prefix/plugins/platforms" -name 'qwindows*.dll') ||
        fail "Qt built without its windows platform plugin"
    grep -q 'qsqlite' < <(find "$prefix/plugins/sqldrivers" -name 'qsqlite*.dll') ||
        fail "Qt built without its SQLite driver"
}

command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
    fail "the MinGW-w64 cross compiler is missing (g++-mingw-w64-x86-64-posix)"

sqlite_prefix=$(ensure sqlite3 "$(source_version libsqlite3-dev)" build_sqlite)
ensure libical3 "$(source_version libical-dev)" build_libical
ensure libxml2 "$(source_version libxml2-dev)" build_libxml2
echo "$sqlite_prefix"
ensure qt6-base "$(source_version qt6-base-dev)" build_qt
