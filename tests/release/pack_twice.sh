#!/usr/bin/env bash
# Packing the same exe twice gives the same bytes: no clock, random code or
# file order reaches the zip, the MSI or the manifests.
. "$(dirname "$0")/lib.sh" "$1"
again=$build/release-test/again
"$root/packaging/make-dist" "$build" "$again" >/dev/null
for f in $(cd "$dist" && find . -type f | sort); do
  check "$f is the same in both packings" cmp -s "$dist/$f" "$again/$f"
done
check "both packings hold the same files" \
  [ "$(cd "$dist" && find . -type f | sort)" = "$(cd "$again" && find . -type f | sort)" ]
# A later commit time must show: the times do come from SOURCE_DATE_EPOCH.
SOURCE_DATE_EPOCH=$(( $(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800) + 86400 )) \
  "$root/packaging/make-dist" "$build" "$again" >/dev/null
check "another commit time gives another zip" \
  absent cmp -s "$dist/Staywick-$version-win-x64.zip" "$again/Staywick-$version-win-x64.zip"
check "another commit time gives another templates zip" \
  absent cmp -s "$dist/Staywick-$version-policy-templates.zip" \
  "$again/Staywick-$version-policy-templates.zip"
finish
