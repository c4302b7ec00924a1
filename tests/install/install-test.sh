#!/bin/bash
# Installs the calculator from a build folder the way a user would, and checks
# the result.
#   install-test.sh install BUILD   cmake --install into a temporary prefix, then
#                                   the installed eee-calc-cli from another folder
#   install-test.sh package BUILD   the Debian package built by CPack, as dpkg describes it,
#                                   and lintian's verdict on it (no error, no warning)
#   install-test.sh desktop SOURCE  the MIME type of session files and the desktop entry,
#                                   from the sources, with the freedesktop tools
#   install-test.sh appstream SOURCE the AppStream metadata of the desktop entry, from the
#                                   sources, as appstreamcli validates it
# Exit status 77: a tool the check needs is not installed (CTest reports a skip).
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

have() {
    command -v "$1" >/dev/null 2>&1
}

session_type=application/x-varn-eee-session
metainfo=com.corvant.varn_eee_calc.metainfo.xml

# The MIME type a desktop gives a file, looked up in the databases under the
# data folders given. xdg-mime asks GLib (gio) on a GNOME desktop; without a
# desktop it asks file(1), which knows no shared-mime-info packages.
file_type() { # DATA_DIRS FILE
    XDG_CURRENT_DESKTOP=GNOME XDG_DATA_HOME="$work/data-home" XDG_DATA_DIRS="$1" \
        xdg-mime query filetype "$2"
}

expect_type() { # DATA_DIRS FILE TYPE
    local type
    type=$(file_type "$1" "$2") || fail "xdg-mime cannot tell the type of $2"
    [ "$type" = "$3" ] || fail "$2 is $type, expected $3"
}

expect_not_session() { # DATA_DIRS FILE
    local type
    type=$(file_type "$1" "$2") || fail "xdg-mime cannot tell the type of $2"
    [ "$type" != "$session_type" ] || fail "$2 is taken for a session"
    [ -n "$type" ] || fail "no type for $2"
}

# A manual page that man reads without a warning (lintian's check).
expect_clean_man_page() {
    expect_file "$1"
    if have man; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man warns about $1: $warnings"
    fi
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
    grep -q '^Exec=varn-eee-calc %f$' "$prefix/share/applications/varn-eee-calc.desktop" \
        || fail "the desktop entry does not pass a file to varn-eee-calc"
    grep -q "^MimeType=$session_type;$" "$prefix/share/applications/varn-eee-calc.desktop" \
        || fail "the desktop entry does not list the session type"
    ls "$prefix"/share/icons/hicolor/*/apps/varn-eee-calc.png >/dev/null 2>&1 || fail "no icon installed"
    ls "$prefix"/share/icons/hicolor/*/mimetypes/application-x-varn-eee-session.png >/dev/null 2>&1 \
        || fail "no icon for session files installed"
    expect_file "$prefix/share/mime/packages/varn-eee-calc.xml"
    expect_file "$prefix/share/metainfo/$metainfo"
    expect_file "$prefix/share/bash-completion/completions/eee-calc-cli"
    for program in varn-eee-calc eee-calc-cli; do
        expect_clean_man_page "$prefix/share/man/man1/$program.1.gz"
    done
    expect_file "$prefix/share/doc/varn-eee-calc/copyright"
    gzip -t "$prefix/share/doc/varn-eee-calc/changelog.gz" || fail "the change log is not gzip"
    version=$("$prefix/bin/eee-calc-cli" --version | awk '{print $2}')
    zcat "$prefix/share/doc/varn-eee-calc/changelog.gz" | head -n 1 \
        | grep -q "^varn-eee-calc ($version) " || fail "the change log does not start at version $version"

    # The install brought the prefix's MIME and desktop databases up to date:
    # a desktop that reads them sees sessions as ours and opens them with us.
    if have update-mime-database; then
        expect_file "$prefix/share/mime/mime.cache"
        if have xdg-mime && have gio; then
            expect_type "$prefix/share:/usr/share" "$app/Defaults.xml" "$session_type"
            expect_not_session "$prefix/share:/usr/share" "$app/SchemeInfo.xml"
        fi
    fi
    if have update-desktop-database; then
        grep -q "^$session_type=varn-eee-calc.desktop;" "$prefix/share/applications/mimeinfo.cache" \
            || fail "the desktop database does not open sessions with varn-eee-calc"
    fi

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
    printf '%s\n' "$info" | grep -q '^  \.$' || fail "no long description"
    contents=$(dpkg -c "$deb") || fail "dpkg -c cannot list $deb"
    for f in ./usr/lib/varn-eee-calc/varn-eee-calc ./usr/lib/varn-eee-calc/eee-calc-cli \
        ./usr/lib/varn-eee-calc/SessionData.xsd ./usr/lib/varn-eee-calc/Help/help_Varn_EEE_Calc.pdf \
        ./usr/bin/eee-calc-cli ./usr/share/applications/varn-eee-calc.desktop \
        ./usr/share/mime/packages/varn-eee-calc.xml ./usr/share/metainfo/$metainfo \
        ./usr/share/bash-completion/completions/eee-calc-cli \
        ./usr/share/icons/hicolor/64x64/mimetypes/application-x-varn-eee-session.png \
        ./usr/share/man/man1/varn-eee-calc.1.gz ./usr/share/man/man1/eee-calc-cli.1.gz \
        ./usr/share/doc/varn-eee-calc/copyright ./usr/share/doc/varn-eee-calc/changelog.gz; do
        printf '%s\n' "$contents" | grep -q " $f\( \|$\)" || fail "the package lacks $f"
    done
    # The databases belong to the system, whose triggers update them when the
    # package is installed; the package carries none of its own.
    if printf '%s\n' "$contents" | grep -E ' \./usr/share/(mime/[^p]|applications/mimeinfo)'; then
        fail "the package carries a MIME or desktop database"
    fi
    if have lintian; then
        # --fail-on: any error or warning fails; informational notes are shown only.
        lintian --fail-on error,warning --display-info "$deb" 2>&1 | grep -v 'running with root privileges'
        [ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian finds errors or warnings in $deb"
    else
        echo "lintian is not installed: the package is not checked by it"
    fi
    ;;
desktop)
    # From the sources: a MIME database made of the system's types and ours, in a
    # temporary data folder, as the Debian package leaves it in /usr/share.
    source=$build
    missing=""
    for tool in update-mime-database xdg-mime gio desktop-file-validate; do
        have "$tool" || missing="$missing $tool"
    done
    if [ -n "$missing" ]; then
        echo "SKIP: not installed:$missing (make deps installs them)"
        exit 77
    fi
    desktop-file-validate "$source/res/varn-eee-calc.desktop" || fail "the desktop entry is not valid"

    data=$work/data
    mkdir -p "$data/mime/packages" "$work/data-home"
    cp "$source/packaging/varn-eee-calc-mime.xml" "$data/mime/packages/varn-eee-calc.xml"
    system=/usr/share/mime/packages/freedesktop.org.xml
    [ -f "$system" ] && cp "$system" "$data/mime/packages/"
    update-mime-database "$data/mime" >"$work/update.log" 2>&1 \
        || { cat "$work/update.log" >&2; fail "update-mime-database refuses the MIME package"; }
    grep -q "SessionData" "$data/mime/XMLnamespaces" || fail "the root element rule is not in the database"

    # Sessions: the delivered defaults, the sample sessions, one without an XML
    # declaration, and one with a comment before the root element.
    samples=$work/samples
    mkdir -p "$samples"
    printf '<SessionData><Scheme>ECC16 Var-Length</Scheme></SessionData>\n' >"$samples/bare.xml"
    printf '<?xml version="1.0"?>\n<!-- mine -->\n<SessionData>\n</SessionData>\n' \
        >"$samples/commented.xml"
    for f in "$source/data/Defaults.xml" "$source"/tests/sessions/*.xml "$samples/bare.xml" \
        "$samples/commented.xml"; do
        expect_type "$data" "$f" "$session_type"
    done
    # Other XML: the scheme catalogue, the schemas, a plain document.
    printf '<?xml version="1.0"?>\n<catalog><item>SessionData</item></catalog>\n' >"$samples/other.xml"
    for f in "$source/data/SchemeInfo.xml" "$source/data/SessionData.xsd" "$samples/other.xml"; do
        expect_not_session "$data" "$f"
    done
    [ "$(file_type "$data" "$samples/other.xml")" = application/xml ] \
        || fail "a plain XML document is no longer XML"
    ;;
appstream)
    source=$build
    if ! have appstreamcli; then
        echo "SKIP: appstreamcli is not installed (make deps installs it)"
        exit 77
    fi
    file=$source/packaging/$metainfo
    appstreamcli validate --no-net "$file" || fail "appstreamcli does not accept $metainfo"
    # The metadata names the desktop entry that the install puts beside it: in a
    # tree laid out as the install lays it, appstreamcli finds that entry.
    tree=$work/tree
    mkdir -p "$tree/share/metainfo" "$tree/share/applications"
    cp "$file" "$tree/share/metainfo/"
    cp "$source/res/varn-eee-calc.desktop" "$tree/share/applications/"
    appstreamcli validate-tree --no-net "$tree" \
        || fail "appstreamcli does not accept the metadata beside the desktop entry"
    for program in varn-eee-calc eee-calc-cli; do
        grep -q "<binary>$program</binary>" "$file" || fail "$metainfo does not provide $program"
    done
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "PASS"
