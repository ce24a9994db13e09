# Sourced by run.sh and test.sh: installs the Debian packages the build needs, only when missing.
# MORVANE_PACKAGES_RUN: what building and starting Vexlo needs.
# MORVANE_PACKAGES_TEST: what the test suite needs on top (sample files, the exiftool oracle,
# the sanitizer and fuzzer runtimes, a virtual display with a window manager, xdotool and xprop,
# and the locales package so that the suite can run under another language).
MORVANE_PACKAGES_RUN=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-dejavu-core adwaita-icon-theme)
MORVANE_PACKAGES_TEST=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth openbox xdotool x11-utils libimage-exiftool-perl libmp3-tag-perl
  golang-github-rwcarlsen-goexif-dev golang-github-hjfreyer-taglib-go-dev python3-mutagen eyed3 locales
  libxdamage-dev libxtst-dev)

ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# ensure_locale NAME: makes the locale NAME (such as de_DE.UTF-8) available, generating it when
# it is missing (needs the locales package).
ensure_locale() {
  local name="$1"
  local wanted
  wanted=$(echo "$name" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
  locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | grep -qx "$wanted" && return 0
  echo "Generating the locale $name"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i "${name%%.*}" -f UTF-8 "$name"
}
