#!/usr/bin/env bash
# Offline browsing of rewritten stored pages in headless Chromium; see offline_browsing_test.js.
# Needs node, playwright-core in .deps/browser/node_modules and Debian's chromium, all installed
# by scripts/setup.
# usage: run_offline_test.sh CORVISANT-TOOL [--pages N|all] [--keep-store] [--site DIR]
#        [--host HOST] [--prefix /P/] [--jobs N] [--chromium PATH] [--store DIR --urls FILE]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
modules="${CORVISANT_NODE_MODULES:-$(dirname "$(dirname "$here")")/.deps/browser/node_modules}"
export NODE_PATH="$modules"
chromium="${CORVISANT_CHROMIUM:-/usr/bin/chromium}"

tool="${1:?usage: $0 CORVISANT-TOOL [OPTION...]}"
shift

missing() {
  echo "offline: $1; run scripts/setup" >&2
  exit 1
}
command -v node >/dev/null 2>&1 || missing "node is not installed"
[ -f "$modules/playwright-core/package.json" ] ||
  missing "playwright-core is not installed in $modules"
[ -x "$chromium" ] || missing "$chromium is not installed"
[ -x "$tool" ] || missing "$tool is not built"
exec node "$here/offline_browsing_test.js" --tool "$tool" --chromium "$chromium" "$@"
