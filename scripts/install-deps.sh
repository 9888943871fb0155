#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes sure that what building Curvalo needs is there, and installs from Debian 12's packages
# whatever is not. Something that came another way (a compiler or CMake of your own, Qt 5 in
# CMAKE_PREFIX_PATH) counts as present.
#   scripts/install-deps.sh run    what building and starting the program needs
#   scripts/install-deps.sh test   that, plus what the whole test suite needs
set -euo pipefail

purpose=${1:-run}
missing=()

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# need PACKAGE [COMMAND...]: PACKAGE is missing unless it is installed or COMMAND succeeds.
need() {
    local package=$1
    shift
    if installed "$package"; then
        return
    fi
    if [ $# -gt 0 ] && "$@" >/dev/null 2>&1; then
        return
    fi
    missing+=("$package")
}

have_command() {
    command -v "$1"
}

# A CMake package as CMake finds it: its config file below one of the usual prefixes or
# CMAKE_PREFIX_PATH. Each argument is a path below a prefix (globs allowed).
have_cmake_config() {
    local prefix path
    local -a prefixes=(/usr /usr/local /opt/qt5)
    IFS=: read -r -a extra <<<"${CMAKE_PREFIX_PATH:-}"
    prefixes+=("${extra[@]}")
    for prefix in "${prefixes[@]}"; do
        [ -n "$prefix" ] || continue
        for path in "$@"; do
            compgen -G "$prefix/$path" && return 0
        done
    done
    return 1
}

have_qt5() {
    [ -n "${Qt5_DIR:-}" ] && [ -f "$Qt5_DIR/Qt5Config.cmake" ] && return 0
    have_cmake_config lib/cmake/Qt5Widgets/Qt5WidgetsConfig.cmake \
        'lib/*/cmake/Qt5Widgets/Qt5WidgetsConfig.cmake'
}

have_qt5_svg() {
    have_cmake_config lib/cmake/Qt5Svg/Qt5SvgConfig.cmake 'lib/*/cmake/Qt5Svg/Qt5SvgConfig.cmake'
}

have_qt6() {
    have_cmake_config lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake \
        'lib/*/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake'
}

have_qt6_svg() {
    have_cmake_config lib/cmake/Qt6Svg/Qt6SvgConfig.cmake 'lib/*/cmake/Qt6Svg/Qt6SvgConfig.cmake'
}

have_qt5_linguist() {
    have_cmake_config lib/cmake/Qt5LinguistTools/Qt5LinguistToolsConfig.cmake \
        'lib/*/cmake/Qt5LinguistTools/Qt5LinguistToolsConfig.cmake'
}

have_qt6_linguist() {
    have_cmake_config lib/cmake/Qt6LinguistTools/Qt6LinguistToolsConfig.cmake \
        'lib/*/cmake/Qt6LinguistTools/Qt6LinguistToolsConfig.cmake'
}

have_eigen3() {
    have_cmake_config share/eigen3/cmake/Eigen3Config.cmake lib/cmake/eigen3/Eigen3Config.cmake
}

have_fuzzer_runtime() {
    [ -f "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)" ]
}

need build-essential have_command c++
need cmake have_command cmake
need qtbase5-dev have_qt5
need libeigen3-dev have_eigen3 # linear algebra of the parameter fit, header-only
need libqt5svg5-dev have_qt5_svg # pictures exported as SVG
need qttools5-dev have_qt5_linguist # lupdate and lrelease for the translations
# Qt's own texts (standard buttons, file dialogs) in the languages the program speaks
need qttranslations5-l10n test -f /usr/share/qt5/translations/qtbase_de.qm
need fonts-dejavu-core test -d /usr/share/fonts/truetype/dejavu
# a virtual display and a screenshot tool for machines without a desktop
need xvfb have_command Xvfb
need xdotool have_command xdotool
need imagemagick have_command import
if [ "$purpose" = test ]; then
    need binutils have_command readelf # to check the programs' dynamic sections
    need clang have_command clang++   # the fuzz target of the measurement file reader
    need libclang-rt-14-dev have_fuzzer_runtime
    need clang-format have_command clang-format
    need clang-tidy have_command run-clang-tidy
    need poppler-utils have_command pdftotext # to read back exported PDF files
    # the suite runs with Qt 6 as well
    need qt6-base-dev have_qt6
    need qt6-svg-dev have_qt6_svg
    need qt6-tools-dev have_qt6_linguist
    need qt6-l10n-tools test -x /usr/lib/qt6/bin/lrelease
    need qt6-translations-l10n test -f /usr/share/qt6/translations/qtbase_de.qm
    # to build the package and check it and its desktop files
    need dpkg-dev have_command dpkg-shlibdeps
    need desktop-file-utils have_command desktop-file-validate
    need libxml2-utils have_command xmllint # the test files' MIME type
    need appstream have_command appstreamcli
    need lintian have_command lintian
fi

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo=(sudo -n)
else
    echo "Curvalo needs these Debian packages; install them as root, then run this again:" \
        "apt-get install ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
