# Shared by scripts/run and scripts/test: installs the Debian packages the
# build and the tests need, then configures and builds into build/.
# Sourced, not run.

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-pdf-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    python3 python3-dbfread python3-dbf poppler-utils
    fonts-liberation fonts-dejavu-core
    clang libclang-rt-14-dev
    xvfb xauth xdotool imagemagick
)

install_missing_packages() {
    local missing=()
    local package
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:"
        echo "  sudo apt-get install -y ${missing[*]}"
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" </dev/null
}

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# build_tree DIR [cmake options...]: configures and builds the whole tree.
build_tree() {
    local dir=$1
    shift
    cmake -S "$top" -B "$top/$dir" "$@"
    cmake --build "$top/$dir" -j"$(nproc)"
}

build_release() {
    build_tree build -DCMAKE_BUILD_TYPE=Release
}
