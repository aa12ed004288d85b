#!/usr/bin/env bash
# Packs the build folder into a .deb and checks it as a user would meet it:
# the files it installs, the packages it depends on, the program started
# from an unpacked copy (no LEDGERLINE_RESOURCES: it must find its files
# beside itself), and the desktop and AppStream files under the validators.
#   check_deb.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -uo pipefail
build=$1 source=$2 app_id=$3 version=$4

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
need() { command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }; }
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli; do need "$tool"; done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- the package ---------------------------------------------------------
# -B keeps cpack's staging folders out of the build folder.
if ! (cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack -G DEB" >&2
  exit 1
fi
mapfile -t debs < <(find "$work/pkg" -maxdepth 1 -name "ledgerline_${version}_*.deb")
[ ${#debs[@]} -eq 1 ] || { ls -R "$work/pkg" >&2; echo "FAIL: expected one ledgerline_${version}_*.deb" >&2; exit 1; }
deb=${debs[0]}
pass "cpack made $(basename "$deb") ($(stat -c %s "$deb") bytes)"

# --- the files it installs -------------------------------------------------
dpkg-deb -c "$deb" >"$work/contents"
expected=(
  usr/bin/ledgerline
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  usr/share/man/man1/ledgerline.1.gz
  usr/share/doc/ledgerline/copyright
  usr/share/doc/ledgerline/changelog.gz
  usr/share/ledgerline/readme.txt
  usr/share/ledgerline/license.txt
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
# Every interface file of the source tree, including ones added after this
# test was written.
for ui in "$source"/resources/*.ui; do
  expected+=("usr/share/ledgerline/$(basename "$ui")")
done
for path in "${expected[@]}"; do
  grep -q " \./$path\$" "$work/contents" || fail "the package lacks /$path"
done
pass "the package holds ${#expected[@]} expected files"
awk '$2 != "root/root" { print }' "$work/contents" >"$work/not-root"
[ -s "$work/not-root" ] && fail "files not owned by root: $(cat "$work/not-root")"
grep -qE ' \./usr/share/ledgerline/.*(icons|\.desktop|\.xml)' "$work/contents" &&
  fail "desktop files leaked into /usr/share/ledgerline"
grep -qE ' \./usr/bin/.+/' "$work/contents" && fail "folders under /usr/bin: $(grep ' ./usr/bin/' "$work/contents")"

# --- its control fields ----------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = ledgerline ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', the project says $version"
[ "$(field Maintainer)" = "Ledgerline developers <support@ledgerline.example.org>" ] ||
  fail "Maintainer is '$(field Maintainer)'"
[ -n "$(field Section)" ] || fail "no Section"
[ "$(field Description | wc -l)" -ge 3 ] || fail "the Description has no long text"
depends=$(field Depends)
echo "Depends: $depends"
for library in 'libqt6core6' 'libqt6widgets6' 'libqt6uitools6' 'libicu[0-9]+' 'libzip[0-9]+' 'libexpat1'; do
  grep -qE "(^|, )${library}( |,|$)" <<<"$depends" || fail "Depends names no $library package"
done

# --- the program, unpacked into a throwaway root ---------------------------
root=$work/root
dpkg-deb -x "$deb" "$root"
zcat "$root/usr/share/doc/ledgerline/changelog.gz" >"$work/changelog"
logged=$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>&1)
[ "$logged" = "$version" ] || fail "the newest change log entry is for '$logged', the package is $version"
program=$root/usr/bin/ledgerline
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=offscreen
unset LEDGERLINE_RESOURCES
mkdir -p "$HOME"

if timeout 60 "$program" -help >"$work/help" 2>&1; then
  pass "ledgerline -help exits with 0"
else
  fail "ledgerline -help exited with $?: $(head -5 "$work/help")"
fi
grep -q '^Usage: ledgerline' "$work/help" || fail "-help prints no usage line"
# Every switch the program lists must be in the manual page.
zcat "$root/usr/share/man/man1/ledgerline.1.gz" >"$work/manual"
mapfile -t switches < <(sed -nE 's/^  (-[a-z]+=?).*/\1/p' "$work/help")
[ ${#switches[@]} -ge 10 ] || fail "-help lists only ${#switches[@]} switches"
for switch in "${switches[@]}"; do
  grep -qF -- "${switch//-/\\-}" "$work/manual" || fail "the manual page does not document $switch"
done
pass "the manual page documents all ${#switches[@]} switches of -help"
if command -v man >/dev/null; then
  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/ledgerline.1.gz" \
    2>"$work/man-warnings" >/dev/null
  [ -s "$work/man-warnings" ] && fail "the manual page has troff warnings: $(cat "$work/man-warnings")"
else
  echo "note: man is not installed; the manual page was not typeset"
fi

# A batch run needs the interface files: with the installed ones it converts
# the sample workbook; without them it must complain, which shows that the
# first run really found them beside the program.
convert() { # output-dir log
  timeout 120 "$program" -batch "-output=$1/" -type=dbase3 "$source/examples/sample.xlsx" >"$2" 2>&1
}
mkdir -p "$work/out"
convert "$work/out" "$work/run.log"
status=$?
grep -q "Couldn't load nib" "$work/run.log" && fail "the unpacked program did not find its interface files: $(cat "$work/run.log")"
[ $status -eq 0 ] || fail "the batch run exited with $status: $(tail -20 "$work/run.log")"
tables=$(find "$work/out" -iname '*.dbf' | wc -l)
[ "$tables" -ge 1 ] || fail "the batch run wrote no table"
pass "the unpacked program found its files and wrote $tables table(s)"
mv "$root/usr/share/ledgerline" "$root/usr/share/ledgerline.away"
mkdir -p "$work/out2"
convert "$work/out2" "$work/run2.log"
grep -q "Couldn't load nib" "$work/run2.log" ||
  fail "without its interface files the program gave no warning, so the run above proves nothing"
mv "$root/usr/share/ledgerline.away" "$root/usr/share/ledgerline"

# --- desktop entry and AppStream data ----------------------------------------
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop" >"$work/desktop-validate" 2>&1
grep -qiE 'error|warning' "$work/desktop-validate" && fail "desktop-file-validate: $(cat "$work/desktop-validate")"
[ -s "$work/desktop-validate" ] && echo "desktop-file-validate says: $(cat "$work/desktop-validate")"
pass "desktop-file-validate found no error or warning"
if appstreamcli validate --no-net "$metainfo" >"$work/appstream-validate" 2>&1; then
  pass "appstreamcli validate: $(tail -1 "$work/appstream-validate")"
else
  fail "appstreamcli validate: $(cat "$work/appstream-validate")"
fi
# What the validators do not see: the three files must name the same program.
exec_name=$(sed -nE 's/^Exec=([^ ]+).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not a program in /usr/bin"
icon_name=$(sed -nE 's/^Icon=(.*)/\1/p' "$desktop")
[ "$icon_name" = "$app_id" ] || fail "Icon=$icon_name, the icons are named $app_id"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the AppStream data does not launch $app_id.desktop"
grep -qF "<id>$app_id</id>" "$metainfo" || fail "the AppStream id is not $app_id"

if [ $failures -ne 0 ]; then
  echo "packaging: $failures check(s) failed" >&2
  exit 1
fi
echo "packaging: every check passed"
