#!/bin/sh
# Builds the Debian package from the binaries already built, unpacks it into a
# scratch root and runs the programs from there.
# usage: PackageInstallTest.sh CPACK BUILD_DIR VERSION
set -eu
cpack=$1 build=$2 version=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 \
    || { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
set -- "$scratch"/qv_*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one qv_*.deb, found: $*"
deb=$1

[ "$(dpkg-deb -f "$deb" Package)" = qv ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libwx libpng16 libgsl libstdc++6 libc6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -I "$deb" conffiles)" = /usr/bin/qv.hdw ] \
    || fail "qv.hdw is not a conffile"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/qv ./usr/bin/qvtool ./usr/bin/qv.hdw \
    ./usr/share/applications/qv.desktop ./usr/share/mime/packages/qv.xml \
    ./usr/share/icons/hicolor/scalable/apps/qv.svg \
    ./usr/share/man/man1/qv.1.gz ./usr/share/man/man1/qvtool.1.gz; do
    echo "$contents" | grep -qx "$path" || fail "package lacks $path"
done
# The desktop's caches belong to the system; dpkg triggers rebuild them.
if echo "$contents" | grep -E 'mime\.cache|/mime/application/|mimeinfo\.cache'; then
    fail "package carries generated desktop caches"
fi

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
[ "$("$root/usr/bin/qvtool" --version)" = "qvtool $version" ] || fail "qvtool --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/qv" --version)" = "qv $version" ] \
    || fail "qv --version"
"$root/usr/bin/qvtool" hdw "$root/usr/bin/qv.hdw" | grep -qx 'complete = yes.*' \
    || fail "the packaged qv.hdw is not complete"
for page in qv qvtool; do
    gzip -dc "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH $(echo $page | tr a-z A-Z) 1" \
        || fail "man page $page"
done
echo "package test: $(basename "$deb") installs and runs"
