#!/usr/bin/env bash
# The pages the engine itself records, browsed offline: a user visits pages of a documentation
# site in the browser in the process (corvisant-tool sim visit), and every page that entered the
# history is then opened from its rewritten local copy in headless Chromium by the offline test.
# usage: run_recorded_pages_test.sh CORVISANT-TOOL [PAGES]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
tool="${1:?usage: $0 CORVISANT-TOOL [PAGES]}"
pages="${2:-60}"
docs=/usr/share/doc/python3.11/html
host=docs.corvisant.test
[ -d "$docs" ] || { echo "recorded: $docs is missing; run scripts/setup" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/site" "$scratch/store"
ln -s "$docs" "$scratch/site/$host"
(cd "$docs" && find . -name '*.html' | sort | awk -v n="$pages" 'NR % 9 == 1 && c++ < n') |
  sed "s|^\./|http://$host/|" >"$scratch/urls"

out="$("$tool" --root "$scratch/store" sim --site "$scratch/site" visit $(cat "$scratch/urls"))"
recorded="$(grep -c '^history ' <<<"$out" || true)"
echo "recorded: $recorded of $(wc -l <"$scratch/urls") pages visited; $(tail -1 <<<"$out")"
[ "$recorded" -eq "$(wc -l <"$scratch/urls")" ] || { echo "recorded: pages missing" >&2; exit 1; }
grep '^history ' <<<"$out" | cut -f1 | cut -d' ' -f2 | while read -r url; do
  printf '%s\t%s\n' "$url" "$("$tool" url store-path "$url")"
done >"$scratch/pages.tsv"
"$here/run_offline_test.sh" "$tool" --site "$docs" --host "$host" --store "$scratch/store" \
  --urls "$scratch/pages.tsv"
