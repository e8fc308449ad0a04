#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop reads there: every
# file in its freedesktop place, the desktop entry, document type and metadata valid and in
# agreement, the icons at their sizes, the man pages, and which copy of the program writes a
# per-user association (only one the desktop cannot see installed). Runs under an X server.
#
#   install_tree_test.sh BUILD_DIR
set -uo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
share=$prefix/share
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 || {
  cat "$tmp/install.log"
  echo "FAIL: cmake --install"
  exit 1
}

for file in bin/quillon bin/quillon-cli share/man/man1/quillon.1 share/man/man1/quillon-cli.1 \
  share/quillon/quillon-help.html share/quillon/examples/welcome.zvt share/applications/quillon.desktop \
  share/mime/packages/quillon.xml share/metainfo/quillon.metainfo.xml share/icons/hicolor/scalable/apps/quillon.svg; do
  [ -s "$prefix/$file" ] || fail "$file missing or empty"
done
for exe in bin/quillon bin/quillon-cli; do
  [ -x "$prefix/$exe" ] || fail "$exe not executable"
done

# PNG icons: the width and height in the header match the folder's size.
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/quillon.png
  header=$(od -An -tx1 -j16 -N8 "$png" 2>/dev/null | tr -d ' \n')
  expected=$(printf '%08x%08x' "$size" "$size")
  [ "$header" = "$expected" ] || fail "$png is not ${size}x${size} (header $header)"
done

desktop-file-validate "$share/applications/quillon.desktop" || fail "desktop entry does not validate"
# The component keeps the plain ID of its desktop entry: the project owns no domain name to
# build a reverse-domain one from.
appstreamcli validate --no-net --explain --override=cid-desktopapp-is-not-rdns=info \
  "$share/metainfo/quillon.metainfo.xml" || fail "metainfo does not validate"

# The document type: the database built from the installed package maps *.zvt to the type
# the desktop entry and the metadata name.
cp -r "$share/mime" "$tmp/mime"
XDG_DATA_DIRS=$tmp update-mime-database "$tmp/mime" 2>"$tmp/mime.log" || fail "update-mime-database failed"
[ -s "$tmp/mime.log" ] && fail "update-mime-database warned: $(cat "$tmp/mime.log")"
type=$(sed -n 's/^[0-9]*:\([^:]*\):\*\.zvt$/\1/p' "$tmp/mime/globs2")
[ -n "$type" ] || fail "no type for *.zvt in the mime database"
grep -qx "MimeType=$type;" "$share/applications/quillon.desktop" || fail "desktop entry does not open $type"
grep -q "<mediatype>$type</mediatype>" "$share/metainfo/quillon.metainfo.xml" || fail "metainfo does not provide $type"

# Man pages: render without warnings; the quillon-cli page documents every command.
for page in quillon quillon-cli; do
  warnings=$(groff -man -ww -z "$share/man/man1/$page.1" 2>&1)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
commands=$("$prefix/bin/quillon-cli" --help | sed -n 's/^  \([a-z0-9-]*\) .*/\1/p')
[ -n "$commands" ] || fail "quillon-cli --help lists no command"
for command in $commands; do
  grep -qxF ".B ${command//-/\\-}" "$share/man/man1/quillon-cli.1" || fail "quillon-cli.1 has no entry for $command"
done

# The installed command works on the installed examples.
"$prefix/bin/quillon-cli" render "$share/quillon/examples/welcome.zvt" "$tmp/welcome.png" --fit >/dev/null ||
  fail "installed quillon-cli cannot render the welcome example"

# The association: a program installed where the desktop reads ($XDG_DATA_DIRS) writes
# nothing for the user; the same tree outside it, and the build tree, register per user.
run_window() { # DATA_DIRS PROGRAM HOME
  XDG_DATA_HOME=$3 XDG_DATA_DIRS=$1 timeout 60 "$2" --quit-after-first-frame >/dev/null 2>&1 ||
    fail "$2 did not start"
}
run_window "$share:/usr/share" "$prefix/bin/quillon" "$tmp/home-visible"
[ -e "$tmp/home-visible/applications/quillon.desktop" ] && fail "an installed program wrote a per-user entry"
run_window /usr/share "$prefix/bin/quillon" "$tmp/home-hidden"
grep -qx "Exec=$prefix/bin/quillon %f" "$tmp/home-hidden/applications/quillon.desktop" 2>/dev/null ||
  fail "a program installed out of the desktop's sight did not register itself"
grep -qx "Icon=$share/icons/hicolor/scalable/apps/quillon.svg" "$tmp/home-hidden/applications/quillon.desktop" 2>/dev/null ||
  fail "the per-user entry of an installed program does not name the installed icon"
run_window "$share:/usr/share" "$build/app/quillon" "$tmp/home-build"
grep -qx "Exec=$build/app/quillon %f" "$tmp/home-build/applications/quillon.desktop" 2>/dev/null ||
  fail "the build tree's program did not register itself"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "install tree: all checks passed"
