#!/bin/sh
# Tries the README's two commands where nothing is installed yet: a minimal Debian 12
# (bookworm) is built into a folder, the committed HEAD is cloned into it, and there,
# with only make added, `make test` must pass, `make run` must start the editor and
# keep it running, and the .deb of `make package` must install with apt and give the
# desktop its menu entry and room file type (tools/desktop_install_check.sh).
# Needs root for debootstrap, the mounts and chroot.
#
#   tools/fresh_debian_check.sh [folder]     (default: build-fresh beside the sources)
set -eu

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
root=$(realpath -m "${1:-$repo/build-fresh}")
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
run_seconds=${FRESH_RUN_SECONDS:-60}

if [ "$(id -u)" != 0 ]; then
  echo "fresh-check: needs root (debootstrap, mounts and chroot)" >&2
  exit 2
fi
# Deleting a folder with /dev still bound inside would delete the machine's devices.
if findmnt -rn -o TARGET | grep -q "^$root/"; then
  echo "fresh-check: something is still mounted below $root; unmount it first" >&2
  exit 2
fi
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap

rm -rf "$root"
debootstrap --variant=minbase bookworm "$root" "$mirror"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone -q "$repo" "$root/src/brannock"

# The mounts live in a private namespace, and every process in a process namespace of
# its own, so both are gone when the check ends, however it ends.
exec unshare --mount --propagation private --pid --fork sh -eu -c '
  root=$1
  mount -t proc proc "$root/proc"
  mount --rbind /dev "$root/dev"
  mount --rbind /sys "$root/sys"
  chroot "$root" sh -eu -c "
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends make
    cd /src/brannock
    make test
    # The editor runs until it is closed: still running at the end counts as started.
    status=0
    timeout $2 xvfb-run -a make run || status=\$?
    if [ \$status != 124 ]; then echo \"fresh-check: make run ended with \$status\" >&2; exit 1; fi
    make package
    tools/desktop_install_check.sh build
    echo \"fresh-check: make test passed, make run kept the editor running for $2 s and the package installed\"
  "
' fresh-check "$root" "$run_seconds"
