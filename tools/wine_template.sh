#!/usr/bin/env bash
# wine_template.sh BUILD_DIR [win64|win32]: boots the build tree's template
# Wine prefix (BUILD_DIR/e2e/template-ARCH, which every end-to-end test and
# wine_run.sh copy) if it is missing or from another Wine version, in a
# private Xvfb. test.sh runs it in the background while the trees build, so
# that no test waits for the boot. Tests that start meanwhile wait for it.
set -u
if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR [win64|win32]" >&2
  exit 2
fi
mkdir -p "$1/e2e" || exit 1
build=$(cd "$1" && pwd)
wine_env_name=wine_template
. "$(dirname "$0")/wine_env.sh"
wine_arch "${2:-win64}" || exit $?
xvfb_pid=""
trap '[ -z "$xvfb_pid" ] || { kill "$xvfb_pid"; wait "$xvfb_pid"; } 2>/dev/null' EXIT
wine_start_xvfb "$build/e2e/template-xvfb.fd" || exit 1
wine_template "$build/e2e/template-$arch"
