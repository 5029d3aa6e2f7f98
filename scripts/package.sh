#!/usr/bin/env bash
# Builds QUILL's Debian package into build-deb/ and checks it: the desktop
# entry and the AppStream data validate, the MIME package builds a database in
# which an ordinary HSP script is text/x-hsp, and lintian finds no error.
# Run as root on Debian 12; installs what is missing with apt first. Any
# arguments go to cmake (-DQUILL_APP_ID=..., -DQUILL_HOMEPAGE_URL=...).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh \
    dpkg-dev file librsvg2-bin \
    desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl lintian

# Debian's own compiler and linker flags, with every hardening option, as a
# Debian build uses them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF "$@" >/dev/null
ninja -C build-deb
rm -f build-deb/quill_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
deb=$(ls build-deb/quill_*.deb)
version=$(dpkg-deb -f "$deb" Version)
echo "Built $deb"

fail() {
    echo "package check failed: $*" >&2
    exit 1
}

[ "$(dpkg-parsechangelog -l packaging/changelog -S Version)" = "$version" ] ||
    fail "packaging/changelog does not start with version $version"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml

# The MIME package, merged with the system's definitions as its trigger
# merges it, must make an ordinary script an HSP script, although the
# system also maps *.as to a spreadsheet format.
mkdir -p "$work/data/mime/packages" "$work/home"
cp /usr/share/mime/packages/freedesktop.org.xml "$work"/root/usr/share/mime/packages/*.xml \
    "$work/data/mime/packages/"
# It reports a broken file on standard error but still exits with 0.
XDG_DATA_DIRS="$work/data" update-mime-database "$work/data/mime" 2>"$work/mime.log"
[ ! -s "$work/mime.log" ] || fail "update-mime-database: $(cat "$work/mime.log")"
printf '*main\r\n\tmes "hello"\r\n\tgoto *main\r\n' >"$work/script.as"
type=$(XDG_DATA_HOME="$work/home" XDG_DATA_DIRS="$work/data" \
    xdg-mime query filetype "$work/script.as")
[ "$type" = text/x-hsp ] || fail "an HSP script is taken for $type"
echo "xdg-mime query filetype script.as: $type"

lintian --fail-on error "$deb"
echo "Package checks passed: $deb"
