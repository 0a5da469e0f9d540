#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
# The Debian package as a user gets it: build it, check what it holds and
# its metadata, install it, ask the installed program its version without a
# display, save a location through its real window as a normal desktop user
# would, check the record lands in the user's data folder, remove it.
# Installing needs root; as anyone else it says so and skips.
set -euo pipefail
cd "$(dirname "$0")/../.."

# Exit status 77: skipped, the reason on the last line.
if [[ $(id -u) -ne 0 ]]; then
  echo "package test: skipped: installing and purging the packages needs root (run the test command as root to include it)"
  exit 77
fi
if dpkg-query -W -f='${Status}' azimora 2>/dev/null | grep -q "install ok installed"; then
  echo "package test: skipped: an azimora package is installed already and stays untouched"
  exit 77
fi

fail() { echo "package test: FAILED: $*" >&2; exit 1; }

mkdir -p build
scripts/package.sh 2>&1 | scripts/build-progress.sh build/package.log "package build" ||
  { tail -20 build/package.log >&2; fail "the package build failed (build/package.log)"; }
deb=$(ls dist/azimora_*.deb)
calc=$(ls dist/azimora-calc_*.deb)
data=$(ls dist/azimora-data_*_all.deb)
web=$(ls dist/azimora-web_*_all.deb)

# What each holds.
holds() {
  local package=$1
  shift
  local contents
  contents=$(dpkg -c "$package" | awk '{print $6}')
  for path in "$@"; do
    grep -qxF "$path" <<<"$contents" || fail "$path is missing from $package"
  done
}
holds "$deb" ./usr/bin/azimora ./usr/share/applications/org.azimora.azimora.desktop \
  ./usr/share/metainfo/org.azimora.azimora.metainfo.xml ./usr/share/man/man1/azimora.1.gz \
  ./usr/share/doc/azimora/copyright ./usr/share/doc/azimora/changelog.Debian.gz \
  ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/azimora.png
holds "$calc" ./usr/bin/azimora-calc ./usr/share/man/man1/azimora-calc.1.gz ./usr/share/metainfo/org.azimora.azimora_calc.metainfo.xml ./usr/share/doc/azimora-calc/copyright \
  ./usr/share/doc/azimora-calc/changelog.Debian.gz
holds "$data" ./usr/share/azimora/time-zones.dat ./usr/share/doc/azimora-data/copyright
holds "$web" ./usr/share/azimora/web/index.html ./usr/share/azimora/web/azimora-engine.wasm \
  ./usr/share/azimora/web/sw.js ./usr/share/azimora/web/towns.json ./usr/share/doc/azimora-web/copyright
# Each with its Debian revision, and the dependencies between them on the
# very version built; lintian, pedantic, finds nothing to warn of.
for package in "$deb" "$calc" "$data" "$web"; do
  findings=$(lintian --pedantic --fail-on none "$package" 2>/dev/null || true)
  grep -q "^[EW]:" <<<"$findings" && fail "lintian warns of $package: $findings"
done
for package in "$deb" "$calc" "$data" "$web"; do
  [[ "$(dpkg -f "$package" Version)" =~ ^[0-9.]+-[0-9]+$ ]] || fail "$package has no Debian revision: $(dpkg -f "$package" Version)"
done
packaged=$(dpkg -f "$data" Version)
changelog=$(dpkg --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/azimora/changelog.Debian.gz | gzip -dc)
changelog=${changelog%%$'\n'*}
[[ "$changelog" == "azimora ($packaged) "* ]] || fail "the changelog's first entry is not the package's version: $changelog"
# Outputs are read whole before grep looks at them: grep -q stops at the
# first match, and under pipefail the writer's broken pipe would decide.
grep -q "usr/bin/azimora-calc" <<<"$(dpkg -c "$deb")" && fail "the desktop package holds the calculator"
for package in "$deb" "$calc"; do
  grep -q "time-zones.dat" <<<"$(dpkg -c "$package")" && fail "$package holds the data package's file"
  grep -qF "azimora-data (= $packaged)" <<<"$(dpkg -f "$package" Depends)" ||
    fail "$package does not depend on azimora-data $packaged: $(dpkg -f "$package" Depends)"
done
grep -q "^License: ODbL-1.0" <<<"$(dpkg --fsys-tarfile "$data" | tar -xO ./usr/share/doc/azimora-data/copyright)" ||
  fail "the data package's copyright does not name the boundaries' licence"

# What each pulls in: the calculator no Qt; the program its fonts and Qt's
# X11 platform; Wayland, the scan tables and the towns only recommended.
depends=$(dpkg -f "$deb" Depends)
recommends=$(dpkg -f "$deb" Recommends)
for package in fonts-wine fonts-liberation fonts-dejavu-core qt6-qpa-plugins libqt6widgets6 libqt6positioning6 libqt6serialport6; do
  grep -q "$package" <<<"$depends" || fail "azimora does not depend on $package: $depends"
done
for package in qt6-wayland dtv-scan-tables libgweather-4-common qt6-translations-l10n libqt6positioning6-plugins ca-certificates; do
  grep -q "$package" <<<"$recommends" || fail "azimora does not recommend $package: $recommends"
  grep -q "$package" <<<"$depends" && fail "azimora depends on $package, which it only recommends"
done
# The location service and its daemons only suggested.
grep -q "geoclue" <<<"$recommends$depends" && fail "azimora pulls in geoclue-2.0: $recommends"
grep -q "geoclue-2.0" <<<"$(dpkg -f "$deb" Suggests)" || fail "azimora does not suggest geoclue-2.0"
grep -qi "qt" <<<"$(dpkg -f "$calc" Depends)" && fail "azimora-calc depends on Qt: $(dpkg -f "$calc" Depends)"
# The data and the page's folder need nothing (CPack's note that they have
# no dependencies is kept out of the package build's output).
for package in "$data" "$web"; do
  [[ -z "$(dpkg -f "$package" Depends)" ]] || fail "$package depends on something: $(dpkg -f "$package" Depends)"
done

scratch=$(mktemp -d)
cleanup() {
  apt-get remove -y --purge azimora azimora-calc azimora-data >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT

dpkg -x "$deb" "$scratch/root"
desktop-file-validate "$scratch/root/usr/share/applications/org.azimora.azimora.desktop"
grep -q '<launchable type="desktop-id">org.azimora.azimora.desktop</launchable>' \
  "$scratch/root/usr/share/metainfo/org.azimora.azimora.metainfo.xml" || fail "the metadata launches another desktop file"
# Validated as a distribution would, addresses included: none may lead nowhere.
appstreamcli validate "$scratch/root/usr/share/metainfo/org.azimora.azimora.metainfo.xml" >/dev/null ||
  fail "appstreamcli finds faults in the metadata"
grep -q "<name>Azimora 2003</name>" "$scratch/root/usr/share/metainfo/org.azimora.azimora.metainfo.xml" ||
  fail "the metadata names the program otherwise than the menu"
dpkg -x "$calc" "$scratch/calc"
appstreamcli validate "$scratch/calc/usr/share/metainfo/org.azimora.azimora_calc.metainfo.xml" >/dev/null ||
  fail "appstreamcli finds faults in azimora-calc's metadata"

DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "./$deb" "./$calc" "./$data" >/dev/null
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb /usr/bin/azimora --version)
[[ "$version" == "azimora 2.0" ]] || fail "--version answered '$version'"
grep -q '"azimuth": 171.306422331434,' <<<"$(/usr/bin/azimora-calc --sat-lon 107.3 --lat 51.08 --lon 114.08 --json)" ||
  fail "azimora-calc does not answer"
# The installed boundaries: Cancun keeps its own zone, not Mexico City's.
grep -q '"time_zone": "America/Cancun"' <<<"$(/usr/bin/azimora-calc --sat-lon 97 --lat 21.17 --lon 86.83 --tz site --json)" ||
  fail "azimora-calc --tz site does not find the installed boundaries"

# The installed program saves into the user's data folder.
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data-home"
mkdir -p "$HOME"
tests/desktop/with-x-server.sh tests/package/save-location-session.sh
list="$XDG_DATA_HOME/azimora/data/locdata.dat"
[[ -f "$list" ]] || fail "no list at $list"
[[ "$(cat "$list")" == $'No location selected.,0.00,0.00\r' ]] || fail "the list holds: $(cat -A "$list")"
[[ ! -e /usr/bin/data ]] || fail "/usr/bin/data was created"
echo "package test: passed ($deb, $calc, $data, $web)"
