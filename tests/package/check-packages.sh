#!/usr/bin/env bash
# Checks the packages `make package` made, the way a machine meets them:
# lintian on the .deb, both packages' file lists, the .deb installed with
# apt, the installed programs run (the desktop program offscreen, as a user
# who cannot write to /usr), the desktop entry and the metainfo validated,
# and the package removed without a trace. Needs root (apt-get install).
#   tests/package/check-packages.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
version=$(sed -n 's/^project(Orvanta VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$(ls "$build"/packages/orvanta_"$version"_*.deb)
rpm=$(ls "$build"/packages/orvanta-"$version".*.rpm)

fail() {
    echo "package check: $*" >&2
    exit 1
}

echo "== lintian $deb"
lintian --fail-on error,warning --display-info "$deb"

echo "== files of $deb"
dpkg-deb --contents "$deb"
echo "== files of $rpm"
rpm -qlp "$rpm"
echo "== requirements of $rpm"
rpm -qRp "$rpm"

# A package left by an earlier run goes first.
status=$(dpkg-query -W -f='${Status}' orvanta 2>/dev/null || true)
if [[ "$status" == *"ok installed"* ]]; then
    apt-get purge -y orvanta
fi
before=$(mktemp)
find /usr /etc -xdev 2>/dev/null | sort >"$before"

echo "== apt-get install $deb"
DEBIAN_FRONTEND=noninteractive apt-get install -y "./$deb"
installed=$(mktemp)
dpkg -L orvanta | sort >"$installed"

[[ "$(orvan --version)" == "orvan $version" ]] || fail "orvan --version: $(orvan --version)"
[[ "$(orvan32 --version)" == "orvan32 $version" ]] || fail "orvan32 --version"
# Each output is taken whole before it is searched: a search that stops at
# its first match would cut the program's output short.
modules=$(orvan modules) || fail "orvan modules failed"
grep -q "standard.so" <<<"$modules" || fail "orvan modules does not list the standard module"
example=/usr/share/doc/orvanta/examples/ccr2-strength.mpl
analysis=$(orvan analyze "$example") || fail "orvan analyze $example failed"
grep -q "Проведен полный анализ." <<<"$analysis" || fail "orvan analyze $example: $analysis"
man -w orvan >/dev/null && man -w orvan32 >/dev/null || fail "no manual pages"
russian=$(man -L ru -w orvan) || fail "no Russian manual page"
grep -q "/ru/" <<<"$russian" || fail "no Russian manual page: $russian"

# The desktop program as a user: it starts, opens the example, ends by
# itself, and keeps its settings in the user's folder, not beside itself.
home=$(mktemp -d)
mkdir -p "$home/runtime"
chmod 755 "$home"
chmod 700 "$home/runtime"
chown -R nobody:nogroup "$home"
stamp=$(mktemp)
setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen ORVAN32_STARTUP_TIMING=quit \
    timeout 60 orvan32 "$example" >"$home/out.txt" 2>"$home/err.txt" ||
    fail "orvan32 did not start: $(cat "$home/err.txt")"
grep -q "usable-window-at" "$home/out.txt" || fail "orvan32 did not open its window"
[[ -s "$home/config/orvanta/orvan32.cfg" ]] || fail "orvan32 kept no settings in \$XDG_CONFIG_HOME/orvanta"
changed=$(find /usr -xdev -newer "$stamp" -not -type d 2>/dev/null || true)
[[ -z "$changed" ]] || fail "orvan32 wrote into /usr: ${changed:0:500}"

echo "== desktop-file-validate, appstreamcli validate"
desktop-file-validate /usr/share/applications/orvanta.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.orvanta.Orvanta.metainfo.xml

echo "== apt-get purge orvanta"
DEBIAN_FRONTEND=noninteractive apt-get purge -y orvanta
while read -r path; do
    [[ "$path" == /. ]] && continue
    if [[ -e "$path" || -L "$path" ]] && ! grep -qxF "$path" "$before"; then
        fail "$path is left after the package was removed"
    fi
done <"$installed"
after=$(mktemp)
find /usr /etc -xdev 2>/dev/null | sort >"$after"
# The caches the system's triggers rebuild (file types, menus, icons) are
# the system's, not the package's.
left=$(comm -13 "$before" "$after" | grep -v -e '^/usr/share/mime/' -e '^/etc/ld.so.cache' \
    -e '^/usr/share/applications/mimeinfo.cache$' -e '/icon-theme.cache$' || true)
[[ -z "$left" ]] || fail "left behind: $left"
rm -rf "$home" "$before" "$after" "$installed" "$stamp"
echo "package check: both packages made, orvanta_$version installed, run and removed cleanly"
