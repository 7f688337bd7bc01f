#!/usr/bin/env bash
# The software-centre listing passes appstreamcli's full check, network included. The only issues
# allowed are the web site's addresses, which cannot be reached until the site is published.
#   bash checkmetainfo.sh METAINFO WEBSITE
set -uo pipefail
report=$(timeout 300 appstreamcli validate --pedantic "$1" 2>&1)
status=$?
echo "$report"
[ "$status" -le 3 ] || { echo "FAIL: appstreamcli ended with status $status"; exit 1; }

# Each issue is a line "W: ID:LINE: TAG" followed by indented lines that start with the address.
# The component ID's capitals are pedantic only, and the ID names the installed files: it stays.
issues=$(grep -cE '^[EWIP]: ' <<<"$report")
unreachable=$(grep -cE '^W: [^ ]+ (url-not-reachable|screenshot-image-not-found)$' <<<"$report")
placeholders=$(grep -cF -- "     $2/" <<<"$report")
pedantic=$(grep -cE '^P: [^ ]+ cid-contains-uppercase-letter( |$)' <<<"$report")
if [ "$issues" -ne $((unreachable + pedantic)) ] || [ "$unreachable" -ne "$placeholders" ]; then
    echo "FAIL: the listing has issues other than the placeholder web site $2"
    exit 1
fi
