#!/usr/bin/env bash
# Builds the Debian package from a build folder whose data is already built, unpacks it without
# root, checks its files and launcher, and runs the unpacked veso-cli from another folder with the
# unpacked tree as the system's data folder.
#   check_package.sh BUILD_DIR DATA_DIR VERSION
set -euo pipefail
build=$1
data=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "package test: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
deb="$work/out/veso_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") in $(ls "$work/out")"
echo "package: $(stat -c %s "$deb") bytes"

depends=$(dpkg-deb -f "$deb" Depends)
for wanted in fonts-sil-gentiumplus fonts-gfs-didot libqt6widgets6 libstdc++6; do
    [[ ", $depends," == *", $wanted"[\ ,]* ]] || fail "Depends lacks $wanted: $depends"
done

# Exactly the program, veso-cli, the desktop files, the copyright file and every data file but
# the builder's hidden stamp.
dpkg-deb -x "$deb" "$work/root"
(cd "$work/root" && find . -type f | sed 's|^\./||' | sort) >"$work/files"
{
    printf '%s\n' usr/bin/veso usr/bin/veso-cli usr/share/applications/veso.desktop \
        usr/share/doc/veso/copyright usr/share/icons/hicolor/scalable/apps/veso.svg \
        usr/share/mime/packages/veso-document.xml
    (cd "$data" && find . -type f ! -name '.*' | sed 's|^\./|usr/share/veso/data/|')
} | sort >"$work/expected"
diff -u "$work/expected" "$work/files" >&2 || fail "unexpected file list"
grep -q '^Exec=veso' "$work/root/usr/share/applications/veso.desktop" || fail "launcher runs no veso"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$work/root/usr/share/applications/veso.desktop" || fail "invalid launcher"
fi

# From a folder without data/, with no user data folder: the data must come from the package.
mkdir "$work/elsewhere"
cli() {
    (cd "$work/elsewhere" && XDG_DATA_HOME="$work/no-user-data" \
        XDG_DATA_DIRS="$work/root/usr/share" "$work/root/usr/bin/veso-cli" "$@")
}
stats=$(cli stats) || fail "stats failed"
[[ $stats =~ \"morphology\":[1-9][0-9]{5} ]] || fail "stats: $stats"
[[ $stats =~ \"dictionary\":[1-9][0-9]{4} ]] || fail "stats: $stats"
passage=$(cli passage 40519) || fail "passage 40519 failed"
[[ $passage == *'"loading":false'* && $passage == *'"title":"Book 1, Iliad, Homer'* ]] ||
    fail "passage: $passage"
check=$(cli check-data) || fail "check-data: $check"
[[ $check == *"\"folder\":\"$work/root/usr/share/veso/data\""* ]] || fail "check-data: $check"
echo "package test passed"
