#!/bin/bash
# Installs the calculator from a build folder the way a user would, and checks
# the result.
#   install-test.sh install BUILD   cmake --install into a temporary prefix, then
#                                   the installed eee-calc-cli from another folder
#   install-test.sh package BUILD   the Debian package built by CPack, as dpkg describes it
set -u

mode=${1:?mode}
build=${2:?build folder}
work=$(mktemp -d "${TMPDIR:-/tmp}/eee-install-test.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

expect_file() {
    [ -f "$1" ] || fail "missing $1"
}

case "$mode" in
install)
    prefix=$work/prefix
    cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 \
        || { cat "$work/install.log" >&2; fail "cmake --install failed"; }

    app=$prefix/lib/varn-eee-calc
    for f in varn-eee-calc eee-calc-cli SchemeInfo.xml SchemeInfo.xsd SessionData.xsd Defaults.xml \
        Help/help_Varn_EEE_Calc.pdf; do
        expect_file "$app/$f"
    done
    [ -x "$app/varn-eee-calc" ] || fail "varn-eee-calc is not executable"
    for program in varn-eee-calc eee-calc-cli; do
        [ -L "$prefix/bin/$program" ] || fail "bin/$program is not a link"
        [ "$(readlink -f "$prefix/bin/$program")" = "$(readlink -f "$app/$program")" ] \
            || fail "bin/$program does not lead to $app/$program"
    done
    expect_file "$prefix/share/applications/varn-eee-calc.desktop"
    grep -q '^Exec=varn-eee-calc' "$prefix/share/applications/varn-eee-calc.desktop" \
        || fail "the desktop entry does not start varn-eee-calc"
    ls "$prefix"/share/icons/hicolor/*/apps/varn-eee-calc.png >/dev/null 2>&1 || fail "no icon installed"

    # From another working folder, through the link in bin: the data files are
    # found beside the real program, not in the working folder.
    out=$(cd / && "$prefix/bin/eee-calc-cli" evaluate --json 2>"$work/err"); status=$?
    echo "$out"
    [ "$status" -eq 0 ] || { cat "$work/err" >&2; fail "evaluate of the defaults exited with $status"; }
    [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "expected one JSON line"
    printf '%s' "$out" | grep -q '"ok":true' || fail "the installed defaults did not evaluate"
    printf '%s' "$out" | grep -q '"scheme":"ECC16 Var-Length"' || fail "not the delivered defaults"

    # A session file named relative to the working folder.
    cp "$app/Defaults.xml" "$work/Mine.xml"
    out=$(cd "$work" && "$prefix/bin/eee-calc-cli" evaluate Mine.xml --json 2>"$work/err"); status=$?
    [ "$status" -eq 0 ] || { cat "$work/err" >&2; fail "evaluate Mine.xml exited with $status"; }
    printf '%s' "$out" | grep -q '"ok":true' || fail "Mine.xml did not evaluate: $out"
    ;;
package)
    # Written into a folder of its own, so that the build folder gets no package.
    (cd "$build" && cpack -G DEB --config CPackConfig.cmake -B "$work/package") >"$work/cpack.log" 2>&1 \
        || { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
    deb=$(ls "$work"/package/*.deb 2>/dev/null | head -n 1)
    [ -n "$deb" ] || { cat "$work/cpack.log" >&2; fail "no .deb was built"; }
    info=$(dpkg -I "$deb") || fail "dpkg -I cannot read $deb"
    echo "$info"
    printf '%s\n' "$info" | grep -q '^ Package: varn-eee-calc$' || fail "wrong package name"
    depends=$(printf '%s\n' "$info" | grep '^ Depends: ') || fail "no Depends line"
    for dep in libqt6widgets6 libxml2 qt6-qpa-plugins; do
        printf '%s' "$depends" | grep -q "$dep" || fail "Depends does not name $dep: $depends"
    done
    contents=$(dpkg -c "$deb") || fail "dpkg -c cannot list $deb"
    for f in ./usr/lib/varn-eee-calc/varn-eee-calc ./usr/lib/varn-eee-calc/eee-calc-cli \
        ./usr/lib/varn-eee-calc/SessionData.xsd ./usr/lib/varn-eee-calc/Help/help_Varn_EEE_Calc.pdf \
        ./usr/bin/eee-calc-cli ./usr/share/applications/varn-eee-calc.desktop; do
        printf '%s\n' "$contents" | grep -q " $f\( \|$\)" || fail "the package lacks $f"
    done
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "PASS"
