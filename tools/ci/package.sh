#!/usr/bin/env bash
# Builds the Debian package from a finished build, installs it with apt-get as a
# store owner would, runs both command-line tools from the installed paths and
# removes the package again.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rm -f "$build"/merivale_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/merivale_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$deb" >/dev/null
trap 'apt-get remove -y -qq merivale >/dev/null' EXIT
for tool in brenvik-data pellard-report; do
  QT_QPA_PLATFORM=offscreen "/usr/bin/$tool" --help >/dev/null
  echo "/usr/bin/$tool --help: ok"
done
test -f /usr/share/applications/com.varnholt.Corvane.desktop
test -f /usr/share/merivale/merivale-help.html
echo "package installs and runs"
