#!/bin/sh
# Both sides of a sample design rendered without the window; each side's barcode decodes.
set -eu
if ! command -v ZXingReader >/dev/null; then
    echo "ZXingReader is missing"
    [ -n "${BADGELOOM_REQUIRE_ORACLES:-}" ] && exit 1 || exit 77
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$1" --sample "$dir/sample.did"
"$1" "$dir/sample.did" "$dir/card" 300
read_code() { ZXingReader -noscale -format "$1" -bytes "$2"; }
test "$(read_code Code128 "$dir/card_front.png")" = front-side
test "$(read_code QRCode "$dir/card_back.png")" = back-side
test -z "$(read_code QRCode "$dir/card_front.png")"
