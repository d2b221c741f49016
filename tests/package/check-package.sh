#!/usr/bin/env bash
# check-package.sh BUILD_DIR: the Debian package that "./build.sh package"
# made in BUILD_DIR, checked as a user would meet it: its name and file
# list, its dependencies, lintian, the installed desktop files, the manual
# pages, and the unpacked programs run from their install prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/telvaro_${version}_$(dpkg --print-architecture).deb
scratch=$(mktemp -d)
server=
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
step() { echo "== $*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

step "file name and file list of $(basename "$deb")"
[ -f "$deb" ] || fail "no package $deb"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' | sort > "$scratch/files.txt"
diff -u "$here/package-files.txt" "$scratch/files.txt" || fail "the package's files differ from package-files.txt"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"

step "dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Every name is a package of this Debian, and so is every package that
# holds a Qt plugin the programs load by name.
for name in $(echo "$depends" | sed -e 's/([^)]*)//g' -e 's/,/ /g'); do
    apt-cache show --no-all-versions "$name" >/dev/null 2>&1 || fail "no Debian package $name"
done
for plugin in platforms/libqxcb.so sqldrivers/libqsqlite.so; do
    owner=$(dpkg -S "qt6/plugins/$plugin" | head -1 | cut -d: -f1)
    [[ ", $depends," == *", $owner "* || ", $depends," == *", $owner,"* ]] ||
        fail "$plugin comes with $owner, which the package does not depend on"
done

step "lintian"
lintian --fail-on error "$deb" 2>&1 | tee "$scratch/lintian.txt" ||
    fail "lintian found errors"
echo "lintian warnings: $(grep -c '^W:' "$scratch/lintian.txt" || true)"

step "unpacked with dpkg -x"
root=$scratch/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/telvaro.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=telvaro %f' "$root/usr/share/applications/telvaro.desktop" || fail "the desktop entry does not start telvaro from PATH"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.metainfo.xml || fail "the metainfo names another version"
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$root/usr/share/mime/packages/telvaro-qzn.xml" ||
    fail "the MIME type is not well-formed XML"
for page in telvaro telvaro-cli; do
    out=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null) || fail "man -l $page.1.gz"
    [ -z "$out" ] || fail "man -l $page.1.gz warns: $out"
done
# telvaro(1) is written by hand: it must name every option of --help.
for option in $(QT_QPA_PLATFORM=offscreen "$root/usr/bin/telvaro" --help | grep -o -- '--[a-z-]*' | sort -u); do
    MANWIDTH=200 man -l "$root/usr/share/man/man1/telvaro.1.gz" 2>/dev/null | grep -q -- "$option" ||
        fail "telvaro(1) does not name $option"
done
[ "$(bash --norc -c "source '$root/usr/share/bash-completion/completions/telvaro-cli'
    COMP_WORDS=(telvaro-cli exp); COMP_CWORD=1; _telvaro_cli; echo \${COMPREPLY[*]}")" = export ] ||
    fail "the installed completion does not complete 'exp' to export"

step "the unpacked telvaro-cli"
cli=$root/usr/bin/telvaro-cli
[ "$("$cli" --version)" = "telvaro-cli $version" ] || fail "telvaro-cli --version says $("$cli" --version)"
gui_version=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/telvaro" --version)
[ "$gui_version" = "Telvaro $version" ] || fail "telvaro --version says $gui_version"
home=$scratch/home
mkdir -p "$home"
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data TELVARO_HOME=$home/telvaro
coproc SERVER { exec "$build/tools/telvaro-whois-server"; }
server=$SERVER_PID
read -r port <&"${SERVER[0]}"
list=$home/kettle.qzn
"$cli" tld set com "127.0.0.1:$port" >/dev/null || fail "tld set"
"$cli" new "$list" && "$cli" add "$list" --tld com freekettle kettle >/dev/null || fail "new, add"
"$cli" select "$list" --all >/dev/null || fail "select"
# The DNS check would ask the machine's resolver; only loopback is asked here.
"$cli" lookup "$list" --interval 0 --no-resolve --no-control-names || fail "lookup"
"$cli" list "$list" --json > "$scratch/list.json" || fail "list"
python3 - "$scratch/list.json" <<'PY' || fail "the loopback lookup went wrong: $(cat "$scratch/list.json")"
import json, sys
rows = {row["name"].lower(): row for row in map(json.loads, open(sys.argv[1]))}
assert rows["freekettle.com"]["status_text"] == "*AVAILABLE*", rows
assert rows["kettle.com"]["status"] == 2 and "Registrar" in rows["kettle.com"]["whois"], rows
PY

step "the unpacked telvaro leaves the home folder's desktop files alone"
# Started offscreen until it has set up its program folder, then ended.
started() {
    rm -rf "$home"
    mkdir -p "$home"
    QT_QPA_PLATFORM=offscreen "$1" &
    local pid=$! i
    for ((i = 0; i < 200; i++)); do
        [ -f "$TELVARO_HOME/wholist.txt" ] && break
        sleep 0.1
    done
    sleep 1
    kill "$pid"
    wait "$pid" || true
    [ -f "$TELVARO_HOME/wholist.txt" ] || fail "$1 did not start"
}
started "$root/usr/bin/telvaro"
[ ! -e "$XDG_DATA_HOME/applications" ] && [ ! -e "$XDG_DATA_HOME/mime" ] ||
    fail "the installed telvaro wrote desktop files into the home folder: $(find "$XDG_DATA_HOME")"
# The build folder's program does register itself: the check above can fail.
started "$build/src/shell/telvaro"
[ -f "$XDG_DATA_HOME/applications/telvaro.desktop" ] || fail "the build folder's telvaro did not register itself"

echo "package $(basename "$deb") checked"
