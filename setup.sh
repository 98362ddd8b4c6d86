#!/usr/bin/env bash
# Sets Veso up on a Debian 12 machine and then either starts it or runs every test.
#   ./setup.sh run [CORPUS]   install packages, build, build data/ if missing, start the program
#   ./setup.sh test [CORPUS]  install packages, build, run the test suite (plain, ASan+UBSan, TSan)
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-run}
corpus=${2:-../shared/corpus}
jobs=$(nproc)

packages=(build-essential cmake ninja-build clang pkg-config
          qt6-base-dev qt6-svg-dev libgl1-mesa-dev
          libpugixml-dev libicu-dev nlohmann-json3-dev libcli11-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          fonts-gfs-didot fonts-sil-gentiumplus xvfb xauth
          dpkg-dev file desktop-file-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi

configure_and_build() { # build-dir, extra cmake arguments...
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESO_CORPUS_DIR="$(realpath -m "$corpus")" "$@"
    cmake --build "$dir" -j "$jobs"
}

case "$mode" in
run)
    configure_and_build build/release
    # Build data/ when it is missing, was built for other text tables than this program's, or
    # fails its check (a damaged file, or no manifest to check it by).
    wanted=$(sed -n 's/.*tables_fingerprint = "\([0-9a-f]*\)".*/\1/p' src/library/generated/*.cpp)
    have=$(cat data/tables.fingerprint 2>/dev/null || true)
    if { [ ! -f data/m.dat ] || [ "$have" != "$wanted" ] ||
        ! build/release/src/cli/veso-cli check-data >/dev/null 2>&1; } &&
        [ -f "$corpus/MANIFEST.md" ]; then
        build/release/tools/corpus/veso-build-data --corpus "$corpus" --out data
    fi
    exec build/release/src/app/veso
    ;;
test)
    configure_and_build build/release
    ctest --test-dir build/release --output-on-failure -j "$jobs" --timeout 900
    # The sanitizer builds reuse the data the plain run built under build/real-data. They are
    # optimised lightly and carry line tables only, which keeps their build time in bounds while
    # reports still name files and lines.
    sanitizer_flags=-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1"
    configure_and_build build/asan "$sanitizer_flags" -DVESO_SANITIZE=address,undefined -DVESO_BUILD_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
        ctest --test-dir build/asan --output-on-failure -j "$jobs" --timeout 900
    configure_and_build build/tsan "$sanitizer_flags" -DVESO_SANITIZE=thread -DVESO_BUILD_BENCH=OFF -DVESO_BUILD_GUI=OFF \
        -DVESO_BUILD_TOOLS=OFF -DVESO_ONLY_THREADED_TESTS=ON
    TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L threaded --timeout 900
    ;;
*)
    echo "usage: ./setup.sh run|test [CORPUS]" >&2
    exit 2
    ;;
esac
