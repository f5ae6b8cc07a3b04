#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop reads from it: the
# programs, the menu entry and what it names, the icon sizes, and the room file type by
# header alone. The checks that need desktop-file-utils or the MIME tools are skipped
# (and say so) where those are not installed.
#
#   install_test.sh <build folder> <scratch folder> <a room file the editor wrote>
set -eu
build=$1 scratch=$2 room=$3
fail() { echo "install_tree: $*" >&2; exit 1; }

rm -rf "$scratch"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
desktop=$share/applications/brannock.desktop
mime=$share/mime/packages/brannock.xml

for program in brannock brannock-tool; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
done
for file in "$desktop" "$mime" "$share/icons/hicolor/scalable/apps/brannock.svg"; do
  [ -s "$file" ] || fail "$file is missing"
done

# Each PNG is as large as the folder it sits in says (width and height from IHDR).
for size in 16 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/brannock.png
  [ -s "$png" ] || fail "$png is missing"
  dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
  [ "$dims" = "${size}x${size}" ] || fail "$png is $dims"
done

# The entry starts an installed program, with an installed icon, for the installed type.
key() { sed -n "s/^$1=//p" "$desktop"; }
program=$(key Exec | cut -d' ' -f1)
[ -x "$prefix/bin/$program" ] || fail "Exec names $program, which is not installed"
[ -s "$share/icons/hicolor/scalable/apps/$(key Icon).svg" ] || fail "Icon $(key Icon) is not installed"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
[ "$(key MimeType)" = "$type;" ] || fail "MimeType $(key MimeType) is not the installed type $type"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the menu entry does not validate"
else
  echo "install_tree: desktop-file-validate not installed, entry not validated"
fi

if command -v update-mime-database >/dev/null && command -v mimetype >/dev/null; then
  export XDG_DATA_HOME=$scratch/xdg
  mkdir -p "$XDG_DATA_HOME/mime/packages"
  cp "$mime" "$XDG_DATA_HOME/mime/packages/"
  update-mime-database "$XDG_DATA_HOME/mime"
  # Without the extension only the magic can tell a room from any other file; with it,
  # the name alone is enough.
  cp "$room" "$scratch/room"
  cp "$desktop" "$scratch/not-a-room"
  cp "$desktop" "$scratch/named.rer"
  [ "$(mimetype -b "$scratch/room")" = "$type" ] || fail "a room without .rer is $(mimetype -b "$scratch/room")"
  [ "$(mimetype -b "$scratch/not-a-room")" != "$type" ] || fail "any file is taken for a room"
  [ "$(mimetype -b "$scratch/named.rer")" = "$type" ] || fail "a .rer file is $(mimetype -b "$scratch/named.rer")"
else
  echo "install_tree: update-mime-database or mimetype not installed, room type not checked"
fi
