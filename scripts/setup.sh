# Shared by scripts/run and scripts/test: installs the Debian packages the build needs.
# Sourced, not run.

kalkuno_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev
    libgtest-dev
    libsqlite3-dev
    fonts-liberation2 qt6-translations-l10n
    xvfb xauth
    poppler-utils
    clang libclang-rt-14-dev
    qt6-base-private-dev
    dpkg-dev desktop-file-utils appstream lintian
)

kalkuno_install_packages() {
    local missing=()
    local package
    for package in "${kalkuno_packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
