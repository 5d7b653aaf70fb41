#!/usr/bin/env bash
# Installs the Debian packages a step needs, where they are missing and the
# machine allows it (root, Debian's registry reachable). Where it cannot
# (not root, no apt-get), it says so and goes on: the tests that need a
# missing package skip, saying so. An install that was tried and failed stops
# the caller: exit status 1.
# Usage: tests/packages.sh build|sample|test|fuzz|windows|web
set -u

build_packages="cmake g++ make"
sample_packages="$build_packages libgl-dev libosmesa6-dev libpng-dev"
windows_packages="$build_packages g++-mingw-w64-x86-64 wine64 wine"
# dpkg-dev: dpkg-shlibdeps works out the Debian package's dependencies;
# lintian checks the package
test_packages="$build_packages clang libgtest-dev lib3ds-dev libgl-dev libgles-dev libosmesa6-dev libpng-dev libclang-rt-14-dev dpkg-dev lintian"
fuzz_packages="$build_packages clang libclang-rt-14-dev"
# the sample's WebGL 2 page: built with emscripten, served by python3,
# loaded by headless Chromium
web_packages="emscripten chromium python3"

case "${1:-test}" in
    build) wanted=$build_packages ;;
    sample) wanted=$sample_packages ;;
    test) wanted=$test_packages ;;
    windows) wanted=$windows_packages ;;
    fuzz) wanted=$fuzz_packages ;;
    web) wanted=$web_packages ;;
    *) echo "usage: $0 build|sample|test|fuzz|windows|web" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ] || ! command -v apt-get >/dev/null 2>&1; then
    echo "packages:$missing are missing and cannot be installed here (not root, or no apt-get)" >&2
    exit 0
fi
echo "installing:$missing"
export DEBIAN_FRONTEND=noninteractive
if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing >/dev/null; }; then
    echo "packages:$missing could not be installed" >&2
    exit 1
fi
exit 0
