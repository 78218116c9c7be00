# Sourced: the private Wine prefix of a build tree, quiet Wine, no Wine menu entries.
# Usage: . tools/scripts/wine-env.sh [build-dir]
_pw_build=${1:-${PW_BUILD_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/win}}
export WINEPREFIX=${WINEPREFIX_OVERRIDE:-$_pw_build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEARCH=win64
unset _pw_build
