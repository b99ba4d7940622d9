#!/usr/bin/env bash
# page-checks.sh: the page's script and style (and the site's) use only what the oldest
# browsers in .browserslistrc have (the ones this machine cannot run),
# read by eslint-plugin-compat and stylelint-no-unsupported-browser-features.
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=tools/web/node_modules/.bin
export BROWSERSLIST_IGNORE_OLD_DATA=1  # the lockfile pins caniuse's data on purpose
# The script as the page holds it: lamino.js with the control kinds of
# dialog/web/controls/ and the constants of the headers in it; the site's own.
/usr/bin/python3 tools/web/make-html.py --source . --script-only |
    "$bin/eslint" --max-warnings 0 -c tools/web/eslint.config.mjs --stdin --stdin-filename dialog/web/lamino.js
"$bin/eslint" --max-warnings 0 -c tools/web/eslint.config.mjs tools/web/site/*.js
"$bin/stylelint" -c tools/web/stylelint.config.mjs dialog/web/*.css tools/web/site/*.css
echo "page checks: script and style keep to $(grep -v '^#' .browserslistrc | paste -sd, | sed 's/,/, /g')"
