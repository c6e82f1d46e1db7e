# Sourced by the other scripts: installs the Debian packages the build needs, only those
# that are missing, without questions.
ordonna_packages=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
                  libcli11-dev nlohmann-json3-dev python3-xlrd clang-format
                  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core)

ordonna_install_missing() {
  local missing=()
  for package in "${ordonna_packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
