#!/bin/sh
# Runs the page's test (on the scenario as tests/e2e/scenario.py expands it) in the machine's chromium
# or Firefox ESR (--engine): installs the test's node packages from their lock file into WORK (once;
# no browser is downloaded).
# Usage: run.sh SITE_DIR QUORVANE_CLI WORK [--engine chromium|firefox] [--measure] [--shots DIR]
# Exits 77 with a line "SKIP: ..." when the engine's browser, node or npm is missing.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
site=$1 cli=$2 work=$3
shift 3
engine=$(echo " $* " | sed -n 's/.* --engine \([^ ]*\) .*/\1/p')
engine=${engine:-chromium}
case $engine in
  chromium) browser=/usr/bin/chromium ;;
  firefox) browser=/usr/bin/firefox-esr ;;
  *) echo "run.sh: no engine \"$engine\" (chromium or firefox)" >&2; exit 2 ;;
esac
for tool in "$browser" node npm; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed (make setup installs it)"; exit 77; }
done
mkdir -p "$work"
if ! cmp -s "$here/package-lock.json" "$work/package-lock.json" || [ ! -d "$work/node_modules" ]; then
  cp "$here/package.json" "$here/package-lock.json" "$work/"
  (cd "$work" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
fi
cp "$here/page_test.mjs" "$work/"
exec node "$work/page_test.mjs" "$site" "$cli" "$here/../../e2e/scenario.py" "$@"
