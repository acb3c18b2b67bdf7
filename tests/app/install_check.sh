#!/usr/bin/env bash
# Installs the build into a scratch root and checks what lands there (and that no settings file
# does), then runs the Debian validators on the desktop entry, the metainfo, the manual and a package
# made by cpack. Exit 77 after the other checks when a validator is missing, naming it.
#   install_check.sh BUILD_DIR
set -u
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

DESTDIR=$work/root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "install"; }
root=$work/root/usr
# The accessibility plugin goes into the program's own folder under the multiarch library folder.
triplet=$(gcc -print-multiarch)
expected="bin/plexon
lib/$triplet/tesvo-plexon/libplexon-a11y.so
share/applications/tesvo-plexon.desktop
share/doc/tesvo-plexon-screen-reader/changelog.gz
share/doc/tesvo-plexon-screen-reader/copyright
share/doc/tesvo-plexon/changelog.gz
share/doc/tesvo-plexon/copyright
share/icons/hicolor/128x128/apps/tesvo-plexon.png
share/icons/hicolor/16x16/apps/tesvo-plexon.png
share/icons/hicolor/256x256/apps/tesvo-plexon.png
share/icons/hicolor/32x32/apps/tesvo-plexon.png
share/icons/hicolor/48x48/apps/tesvo-plexon.png
share/icons/hicolor/64x64/apps/tesvo-plexon.png
share/icons/hicolor/scalable/apps/tesvo-plexon.svg
share/man/man1/plexon.1.gz
share/metainfo/example.tesvo.Plexon.metainfo.xml"
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "installed files differ:"$'\n'"$actual"
for size in 16 32 48 64 128 256; do
    # PNG width and height, big-endian, at bytes 16 to 23.
    dims=$(od -An -tu4 --endian=big -j16 -N8 "$root/share/icons/hicolor/${size}x${size}/apps/tesvo-plexon.png" |
        tr -s ' ')
    [ "$dims" = " $size $size" ] || fail "icon $size has size$dims"
done
grep -qx 'Exec=plexon %F' "$root/share/applications/tesvo-plexon.desktop" || fail "desktop entry Exec"
grep -qx 'MimeType=image/bmp;image/png;inode/directory;' "$root/share/applications/tesvo-plexon.desktop" ||
    fail "desktop entry MimeType"
# Paths and gradients only: an embedded picture would not scale.
svg=$root/share/icons/hicolor/scalable/apps/tesvo-plexon.svg
grep -q '<path ' "$svg" && grep -q '<linearGradient ' "$svg" || fail "scalable icon has no paths or gradient"
! grep -qE '<image|data:' "$svg" || fail "scalable icon embeds a picture"

missing=()
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/tesvo-plexon.desktop" || fail "desktop-file-validate"
else missing+=(desktop-file-validate); fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/share/metainfo/example.tesvo.Plexon.metainfo.xml" >"$work/as.log" 2>&1 ||
        { cat "$work/as.log"; fail "appstreamcli validate"; }
else missing+=(appstreamcli); fi
if command -v man >/dev/null; then
    warnings=$(man --warnings -l "$root/share/man/man1/plexon.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page: $warnings"
else missing+=(man); fi
if command -v lintian >/dev/null && command -v cpack >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
    (cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
    # The program, and the screen reader plugin in a package of its own that the program recommends,
    # so that ATK and its bridge are the plugin's dependencies only.
    program=$(ls "$work"/package/tesvo-plexon_*.deb)
    plugin=$(ls "$work"/package/tesvo-plexon-screen-reader_*.deb)
    dpkg-deb -f "$program" Depends | grep -q atk && fail "the program's package depends on ATK"
    dpkg-deb -f "$program" Recommends | grep -q tesvo-plexon-screen-reader || fail "the plugin is not recommended"
    dpkg-deb -f "$plugin" Depends | grep -q 'libatk-bridge2.0-0.*tesvo-plexon (= \|tesvo-plexon (= .*libatk-bridge2.0-0' ||
        fail "the plugin's package: $(dpkg-deb -f "$plugin" Depends)"
    # Errors and warnings fail; informational tags do not.
    for package in "$program" "$plugin"; do
        tags=$(lintian --tag-display-limit 0 "$package" 2>/dev/null | grep -E '^[EW]: ')
        [ -z "$tags" ] || fail "lintian:"$'\n'"$tags"
    done
else missing+=(lintian/cpack/dpkg-shlibdeps); fi
if ((${#missing[@]})); then
    echo "skipped: validator missing: ${missing[*]} (scripts/setup installs them)"
    exit 77
fi
exit 0
