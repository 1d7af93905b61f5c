#!/usr/bin/env bash
# lv2info, Debian's own reader of LV2 data, finds Quorvane through LV2_PATH
# and lists its ports as the bundle's Turtle declares them: the same symbols
# in the same order, an instrument needing urid:map alone, the Init. preset.
set -euo pipefail
bundle=$1
report=$(lv2info https://quorvane.org/lv2/quorvane 2>/dev/null)
listed=$(sed -n 's/^\t\tSymbol: *//p' <<<"$report")
declared=$(sed -n 's/^ *lv2:symbol "\(.*\)" ;$/\1/p' "$bundle/quorvane.ttl")
fail() {
    echo "lv2info_lists_ports: $*" >&2
    exit 1
}
[ -n "$declared" ] || fail "no symbols declared in $bundle/quorvane.ttl"
[ "$listed" = "$declared" ] || fail "lv2info lists other ports: $(diff <(echo "$declared") <(echo "$listed") | head -5)"
grep -q $'^\tClass: *Instrument Plugin$' <<<"$report" || fail "not listed as an instrument"
grep -q $'^\tRequired Features: http://lv2plug.in/ns/ext/urid#map$' <<<"$report" || fail "other required features"
grep -q $'^\t *Init\.$' <<<"$report" || fail "the Init. preset is missing"
echo "lv2info lists $(wc -l <<<"$listed") ports as declared"
