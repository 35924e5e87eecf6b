#!/bin/bash
# Installs what Zovuzor needs on Debian 12, quietly, and only what is missing.
#
#   scripts/deps.sh build   compiler, CMake/Ninja, Qt 6, fonts, the en_US/de_DE UTF-8 locales
#   scripts/deps.sh test    all of the above plus the headless desktop used by the end-to-end tests
#
# Quick when everything is there: dpkg-query decides, apt-get runs only for missing packages.
set -euo pipefail

want=${1:-build}
build_pkgs=(cmake ninja-build g++
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins qt6-image-formats-plugins
    locales fonts-dejavu-core)
test_pkgs=(xvfb xauth openbox trayer xdotool x11-utils imagemagick pulseaudio pulseaudio-utils python3)

case "$want" in
    build) pkgs=("${build_pkgs[@]}") ;;
    test) pkgs=("${build_pkgs[@]}" "${test_pkgs[@]}") ;;
    *) echo "usage: $0 build|test" >&2; exit 2 ;;
esac

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${pkgs[@]}" 2>/dev/null | awk '$NF == "installed" {print $1}' || true)
missing=()
for p in "${pkgs[@]}"; do
    grep -qx "$p" <<<"$installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "deps: installing ${missing[*]}" >&2
    aptlog=$(mktemp /tmp/zovuzor-apt.XXXXXX)
    # quiet unless something goes wrong: then the whole apt output is shown
    if ! { as_root apt-get update -qq &&
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o=Dpkg::Use-Pty=0 "${missing[@]}"; } \
        </dev/null >"$aptlog" 2>&1; then
        cat "$aptlog" >&2
        rm -f "$aptlog"
        echo "deps: installing packages failed" >&2
        exit 1
    fi
    rm -f "$aptlog"
fi

# Dates and times are shown in the user's regional formats; the tests run under both of these.
need_locales=()
have=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]')
for l in en_US de_DE; do
    lc=$(echo "$l" | tr '[:upper:]' '[:lower:]')
    grep -qx "$lc.utf8" <<<"$have" || need_locales+=("$l")
done
if [ ${#need_locales[@]} -gt 0 ]; then
    echo "deps: generating locales ${need_locales[*]/%/.UTF-8}" >&2
    for l in "${need_locales[@]}"; do
        if grep -q "^# *$l.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null; then
            as_root sed -i "s/^# *\($l.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        elif ! grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null; then
            echo "$l.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        fi
    done
    as_root locale-gen >/dev/null
fi
