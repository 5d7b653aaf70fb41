#!/usr/bin/env bash
# Installs the Debian packages a step needs, where they are missing and the
# machine allows it (root, Debian's registry reachable). Where it cannot
# (not root, no apt-get), it says so and goes on: the tests that need a
# missing package skip, saying so. An install that was tried and failed stops
# the caller: exit status 1.
# Usage: tests/packages.sh build|sample|test|fuzz|windows|web|cross|wine32|lint
# No pipe leaves a command's output to grep -q: a grep that stops early
# would fail the command before it under pipefail.
set -uo pipefail

build_packages="cmake g++ make"
sample_packages="$build_packages libgl-dev libosmesa6-dev libpng-dev"
windows_packages="$build_packages g++-mingw-w64-x86-64 wine64 wine"
# dpkg-dev: dpkg-shlibdeps works out the Debian package's dependencies;
# lintian checks the package; abigail-tools: abidw and abidiff check the
# shared library's interface; pkg-config: the C consumer's test finds the
# library with it
test_packages="$build_packages clang libgtest-dev lib3ds-dev libgl-dev libgles-dev libosmesa6-dev libpng-dev libclang-rt-14-dev dpkg-dev lintian abigail-tools pkg-config"
fuzz_packages="$build_packages clang libclang-rt-14-dev"
# the web page: built with emscripten, served by python3, driven in
# headless Chromium by Playwright, which npm installs under node
web_packages="emscripten chromium python3 nodejs"
# npm comes with some builds of nodejs (NodeSource's), which Debian's npm
# package would conflict with: only where there is no npm
command -v npm >/dev/null 2>&1 || web_packages="$web_packages npm"
# the converter cross-built for other processors, run under qemu, and for
# 32-bit Windows
cross_packages="$build_packages g++-i686-linux-gnu g++-aarch64-linux-gnu g++-s390x-linux-gnu qemu-user-static g++-mingw-w64-i686"
# 32-bit wine: an i386 package, which on an amd64 machine needs dpkg's i386
# architecture
wine32_package=wine32:i386
wine32_packages="wine $wine32_package"
# the static checks of tests/static_checks.sh
lint_packages="clang-format clang-tidy cppcheck"

case "${1:-test}" in
    build) wanted=$build_packages ;;
    sample) wanted=$sample_packages ;;
    test) wanted=$test_packages ;;
    windows) wanted=$windows_packages ;;
    fuzz) wanted=$fuzz_packages ;;
    web) wanted=$web_packages ;;
    cross) wanted=$cross_packages ;;
    wine32) wanted=$wine32_packages ;;
    lint) wanted=$lint_packages ;;
    *) echo "usage: $0 build|sample|test|fuzz|windows|web|cross|wine32|lint" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
    [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" = "install ok installed" ] || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ] || ! command -v apt-get >/dev/null 2>&1; then
    echo "packages:$missing are missing and cannot be installed here (not root, or no apt-get)" >&2
    exit 0
fi
export DEBIAN_FRONTEND=noninteractive
case " $missing " in
    *" $wine32_package "*)
        if ! grep -qx i386 <<<"$(dpkg --print-foreign-architectures)"; then
            dpkg --add-architecture i386 || { echo "dpkg could not add the i386 architecture" >&2; exit 1; }
        fi ;;
esac
if ! apt-get update -qq; then
    echo "packages:$missing could not be installed (apt-get update failed)" >&2
    exit 1
fi
# The one optional package: where Debian's registry has no 32-bit wine for
# this machine, the 32-bit Windows build is built but not run.
case " $missing " in
    *" $wine32_package "*)
        if ! grep -q 'Candidate: [0-9]' <<<"$(apt-cache policy "$wine32_package" 2>/dev/null)"; then
            echo "package $wine32_package cannot be had from Debian's registry here"
            missing=$(echo " $missing " | sed "s/ $wine32_package / /")
            [ -z "${missing// /}" ] && exit 0
        fi ;;
esac
echo "installing:$missing"
if ! apt-get install -y -qq --no-install-recommends $missing >/dev/null; then
    echo "packages:$missing could not be installed" >&2
    exit 1
fi
exit 0
