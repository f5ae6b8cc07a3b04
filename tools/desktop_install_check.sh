#!/bin/sh
# Installs the built .deb the way a designer would (apt, as root) and checks what a
# desktop sees: a valid menu entry, the installed programs, and the room file type
# known to the shared MIME database, by name and by content alone. Run after
# `make package` in the source folder; the fresh check runs it in its clean Debian.
#
#   tools/desktop_install_check.sh [build folder]     (default: build)
set -eu

build=${1:-build}
deb=$(ls "$build"/brannock_*.deb | head -n 1)
room=$build/sample-world/data/world/room/demo.rer
[ -f "$room" ] || { echo "desktop-check: no sample room at $room" >&2; exit 1; }

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends desktop-file-utils xdg-utils shared-mime-info libfile-mimeinfo-perl
apt-get install -y -qq --no-install-recommends "$(realpath "$deb")"

dpkg -L brannock
desktop-file-validate /usr/share/applications/brannock.desktop
# The package's dependencies bring every library both programs load.
for program in /usr/bin/brannock /usr/bin/brannock-tool; do
  if ldd "$program" | grep 'not found'; then echo "desktop-check: $program misses libraries" >&2; exit 1; fi
done
/usr/bin/brannock-tool --help >/dev/null

expect_room() {
  type=$(xdg-mime query filetype "$1")
  if [ "$type" != application/x-brannock-room ]; then
    echo "desktop-check: $1 is $type, not application/x-brannock-room" >&2
    exit 1
  fi
}
# Installing the package has already run shared-mime-info's trigger.
expect_room "$room"
update-mime-database /usr/share/mime
# Without its extension only the header's magic can name the type.
scratch=$(mktemp -d)
cp "$room" "$scratch/room-without-extension"
expect_room "$scratch/room-without-extension"
rm -rf "$scratch"
echo "desktop-check: the package installs, its menu entry validates and rooms are application/x-brannock-room"
