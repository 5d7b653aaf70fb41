# Sourced: wine for running a Windows build of the converter.
#
#   source tests/windows/wine.sh
#   wine_start PREFIX 64|32   sets wine_cmd=(...), the command that runs an
#                             .exe of that many bits; makes the prefix once
#                             and keeps one server running for every run
#   wine_stop                 ends that server (call it from an EXIT trap)
#
# Debian's /usr/bin/wine and /usr/bin/wineserver choose the 32-bit programs
# whenever wine32 is installed, even on a machine that refuses 32-bit x86
# programs; a 64-bit .exe is therefore run with the 64-bit loader itself
# where Debian's layout has it.

wine_start() {
    export WINEDEBUG=-all WINEPREFIX=$1
    wine_cmd=(wine)
    wine_server=wineserver
    if [ "$2" = 64 ] && [ -x /usr/lib/wine/wine64 ]; then
        wine_cmd=(/usr/lib/wine/wine64)
    fi
    [ -x /usr/lib/wine/wineserver64 ] && wine_server=/usr/lib/wine/wineserver64
    export WINESERVER=$wine_server
    "$wine_server" -p >/dev/null 2>&1 </dev/null # one server for every run
    "${wine_cmd[@]}" cmd /c exit >/dev/null 2>&1 </dev/null # the prefix is made once, before the timed runs
}

wine_stop() {
    [ -n "${WINEPREFIX:-}" ] && "${wine_server:-wineserver}" -k >/dev/null 2>&1 </dev/null
    return 0
}
