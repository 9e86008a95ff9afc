#!/usr/bin/env bash
# Builds the Debian package, installs it with apt into a clean Debian 12 root (a debootstrap
# minbase chroot) and runs the installed programs there: orvale-cli summary on the installed
# sample flights, and orvale --version with no display.
#
# Needs root (or sudo without a password), debootstrap and the network (about 150 MB: the
# minbase root and the package's Qt dependencies); without them it says why and is skipped.
# Not part of ./test.sh. MIRROR= chooses the Debian mirror, BUILD= the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

skip() {
  echo "package_test: skipped: $*"
  exit 0
}

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1 || ! sudo -n true 2>/dev/null; then
    skip "a chroot needs root, or sudo without a password"
  fi
  sudo=(sudo)
fi
command -v debootstrap >/dev/null 2>&1 || [ -x /usr/sbin/debootstrap ] ||
  skip "debootstrap is not installed (apt-get install debootstrap)"
export PATH="$PATH:/usr/sbin:/sbin"

build=${BUILD:-build}
mirror=${MIRROR:-http://deb.debian.org/debian}

echo "package_test: building the package"
# A build folder already set up keeps its settings.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALE_GUI=ON >/dev/null
fi
cmake --build "$build" --target orvale orvale-cli tavix-sim orvale_package_files
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$PWD/package" >/dev/null)
version=$(sed -n 's/^project(Orvale VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)
deb="$build/package/orvale_${version}-1_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "package_test: no $deb" >&2; exit 1; }

root=$(mktemp -d "${TMPDIR:-/tmp}/orvale-root.XXXXXX")
cleanup() {
  # The root is removed only once nothing is mounted in it any more (debootstrap mounts /proc
  # and /sys there while it works, and this script /proc).
  local m tries
  for m in proc sys dev/pts; do
    for tries in 1 2 3; do
      mountpoint -q "$root/$m" 2>/dev/null || break
      "${sudo[@]}" umount "$root/$m" || "${sudo[@]}" umount -l "$root/$m" || true
    done
    if mountpoint -q "$root/$m" 2>/dev/null; then
      echo "package_test: $root/$m is still mounted; the root is left in place" >&2
      return
    fi
  done
  "${sudo[@]}" rm -rf --one-file-system "$root"
}
trap cleanup EXIT

echo "package_test: making a Debian 12 minbase root in $root"
if ! "${sudo[@]}" debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1; then
  tail -5 "$root.log"
  rm -f "$root.log"
  skip "debootstrap could not make the root (no network or no mirror at $mirror)"
fi
rm -f "$root.log"

in_root() { "${sudo[@]}" chroot "$root" "$@"; }
"${sudo[@]}" cp "$deb" "$root/tmp/orvale.deb"
# The programs find their installed files through /proc/self/exe.
mountpoint -q "$root/proc" || "${sudo[@]}" mount -t proc proc "$root/proc"

echo "package_test: installing $(basename "$deb") with apt"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  /tmp/orvale.deb >/dev/null

failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "package_test: ok: $what"
  else
    echo "package_test: FAILED: $what" >&2
    failures=$((failures + 1))
  fi
}

summary=$(in_root env HOME=/root sh -c 'orvale-cli summary /usr/share/orvale/samples/*.DAT')
flights=$(grep -c '^File Name: ' <<<"$summary" || true)
check "orvale-cli summary on the $flights installed sample flights" [ "$flights" -ge 8 ]
check "every summary has its apogee" [ "$(grep -c '^Max Pressure Altitude: ' <<<"$summary" || true)" -ge 8 ]
shown=$(in_root env -u DISPLAY -u WAYLAND_DISPLAY orvale --version)
check "orvale --version without a display: $shown" [ "$shown" = "orvale $version" ]
check "orvale-cli --version" [ "$(in_root orvale-cli --version)" = "orvale-cli $version" ]
help_names_render() { in_root orvale --help | grep -q -- '--render FLIGHT.DAT'; }
check "orvale --help names --render" help_names_render
check "the desktop entry and the icon are installed" \
  test -f "$root/usr/share/applications/com.vantrel.Orvale.desktop" -a \
  -f "$root/usr/share/icons/hicolor/48x48/apps/orvale.png"

[ "$failures" -eq 0 ] || exit 1
echo "package_test: all well"
