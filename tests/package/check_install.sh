#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs:
# the programs, the help pages, menu entries and metainfo that validate, icons,
# and man pages that say what --help says.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail=0
need() { [ -e "$prefix/$1" ] || { echo "missing: $1"; fail=1; }; }
for f in bin/brenvik bin/pellard bin/brenvik-data bin/pellard-report \
         share/merivale/merivale-help.html share/merivale/corvane-help.html \
         share/man/man1/brenvik-data.1 share/man/man1/pellard-report.1; do
  need "$f"
done
for app in com.varnholt.Merivale com.varnholt.Corvane; do
  need share/applications/$app.desktop
  need share/metainfo/$app.metainfo.xml
  need share/icons/hicolor/scalable/apps/$app.svg
  for s in 16 24 32 48 64 128 256; do need share/icons/hicolor/${s}x${s}/apps/$app.png; done
  desktop-file-validate "$prefix/share/applications/$app.desktop" || fail=1
  appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >/dev/null || {
    appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml"; fail=1; }
done
grep -q '^MimeType=.*text/csv;' "$prefix/share/applications/com.varnholt.Corvane.desktop" || {
  echo "the analyzer does not offer itself for CSV files"; fail=1; }
grep -q '^Exec=pellard %f' "$prefix/share/applications/com.varnholt.Corvane.desktop" || {
  echo "the analyzer is not handed the file"; fail=1; }

# Every command of --help stands in the man page.
export QT_QPA_PLATFORM=offscreen
for tool in brenvik-data pellard-report; do
  page=$(MANWIDTH=200 man -l "$prefix/share/man/man1/$tool.1" 2>/dev/null | tr -s ' ')
  while read -r word; do
    grep -qF -- "$word" <<<"$page" || { echo "$tool.1 lacks '$word' of --help"; fail=1; }
  done < <("$prefix/bin/$tool" --help | awk 'NF && $1 !~ /^usage/ {print $1}' | sort -u)
done
[ $fail -eq 0 ] && echo "install check passed"
exit $fail
