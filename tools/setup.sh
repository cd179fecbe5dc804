# Shared by run.sh and test.sh: installs what is missing from Debian's
# packages, then configures and builds the project into build/.
# Sourced, not run; expects to be in the project folder.

WIRBELIX_PAKETE=(
  build-essential cmake pkg-config python3
  qt6-base-dev qt6-multimedia-dev libgl-dev libxkbcommon-dev libxcb1-dev
  libwmf-dev libsqlite3-dev
  libgtest-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  libchm-dev
  pulseaudio pulseaudio-utils
  desktop-file-utils xvfb xauth dbus-x11 at-spi2-core python3-pyatspi
)

wirbelix_pakete() {
  local fehlend=()
  for p in "${WIRBELIX_PAKETE[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      fehlend+=("$p")
    fi
  done
  if [ ${#fehlend[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installiere fehlende Pakete: ${fehlend[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${fehlend[@]}"
}

# The build's own output goes to build/bauen.log; it is shown only when the
# build fails.
wirbelix_bauen() {
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  mkdir -p build
  echo "Baue Wirbelix (Protokoll: build/bauen.log) ..."
  if ! { cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" &&
         cmake --build build -j "$jobs"; } >build/bauen.log 2>&1; then
    tail -n 60 build/bauen.log
    echo "Der Bau ist fehlgeschlagen; das ganze Protokoll steht in build/bauen.log."
    return 1
  fi
}
