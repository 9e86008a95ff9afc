# Installs the Debian packages Orvale needs to build and test, when any is missing.
# Sourced by run.sh and test.sh; quick and silent when everything is already there.

ORVALE_PACKAGES=(
  g++ make cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libqcustomplot-dev libgl-dev fonts-dejavu-core
  libfftw3-dev  # spectra of FFT( and PSD( channels
  xvfb xauth xdotool
  poppler-utils  # tests read the printed report back with pdftotext
  dpkg-dev file appstream  # the package test: dpkg-shlibdeps, file for cpack, the metainfo check
)

ensure_packages() {
  local missing=()
  local pkg
  for pkg in "${ORVALE_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "These packages are missing and sudo is not available: ${missing[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}
