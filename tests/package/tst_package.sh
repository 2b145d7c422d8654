#!/usr/bin/env bash
# tst_package.sh BUILD_DIR VERSION: builds the Debian package from BUILD_DIR's
# install rules into a temporary folder and checks what a user would get.
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A step that stops the script says which.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
fi
deb="$work/out/quillar_${version}_$(dpkg --print-architecture).deb"
if [[ ! -f $deb ]]; then
  ls -l "$work/out" >&2
  echo "FAIL: no $(basename "$deb")" >&2
  exit 1
fi
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# --- control fields -----------------------------------------------------------
dpkg-deb --info "$deb" >"$work/info"
field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == quillar ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', project says $version"
[[ $(field Section) == science ]] || fail "Section is '$(field Section)'"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer '$(field Maintainer)' is no 'name <address>'"

# Dependency names alone, without versions or alternatives' bars.
names() { tr ',|' '\n\n' | sed 's/(.*)//; s/[[:space:]]//g; /^$/d'; }
depends=$(field Depends | names)
# What the binaries link, from dpkg-shlibdeps: a missing one means it did not run.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libsqlite3-0 libgif7 libmdb3; do
  grep -qx "$package" <<<"$depends" || fail "Depends lacks $package: $(field Depends)"
done
# Plugins are loaded by name, so no binary names them: each must come with a dependency.
for plugin in platforms/libqxcb.so platforms/libqoffscreen.so sqldrivers/libqsqlite.so imageformats/libqgif.so; do
  owner=$(dpkg -S "*/qt6/plugins/$plugin" 2>/dev/null | sed -n '1s/:.*//p')
  if [[ -z $owner ]]; then
    fail "no installed package holds the Qt plugin $plugin"
  elif ! grep -qx "$owner" <<<"$depends"; then
    fail "the Qt plugin $plugin is in $owner, which Depends does not name"
  fi
done
while read -r package; do
  case $package in
    *-dev | *-dev-tools | cmake | g++* | gcc* | make | pkg-config | lintian | dpkg-dev | xvfb | xdotool)
      fail "Depends names $package, which only the build or the tests need" ;;
  esac
done <<<"$depends"
recommends=$(field Recommends | names)
for font in fonts-arphic-uming fonts-arphic-ukai fonts-noto-cjk; do
  grep -qx "$font" <<<"$recommends" || fail "Recommends lacks $font"
done
description=$(field Description)
[[ $(wc -l <<<"$description") -eq 3 ]] || fail "Description is not a synopsis and two lines: $description"
sed -n 2p <<<"$description" | grep -q '^ [ -~]*$' || fail "the description's first line is not English"
sed -n 3p <<<"$description" | LC_ALL=C.UTF-8 grep -qP '\p{Han}' || fail "the description's second line is not Chinese"

# --- file list: exactly the installed files, nothing from the build -------------
cat >"$work/expected" <<'LIST'
./usr/bin/quillar
./usr/bin/quillar-demo
./usr/bin/quillar-import
./usr/share/applications/org.quillar.Quillar.desktop
./usr/share/doc/quillar/changelog.gz
./usr/share/doc/quillar/copyright
./usr/share/icons/hicolor/128x128/apps/org.quillar.Quillar.png
./usr/share/icons/hicolor/48x48/apps/org.quillar.Quillar.png
./usr/share/icons/hicolor/scalable/apps/org.quillar.Quillar.svg
./usr/share/man/man1/quillar-demo.1.gz
./usr/share/man/man1/quillar-import.1.gz
./usr/share/man/man1/quillar.1.gz
./usr/share/metainfo/org.quillar.Quillar.metainfo.xml
LIST
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
diff -u "$work/expected" "$work/files" >&2 || fail "the package's files differ from the list above (- missing, + extra)"
dpkg-deb --contents "$deb" | awk '$2 != "root/root" { print }' | grep . >&2 && fail "files not owned by root"

# --- unpacked: the tools run on system libraries alone --------------------------
root="$work/root"
dpkg-deb -x "$deb" "$root"
for program in quillar quillar-import quillar-demo; do
  binary="$root/usr/bin/$program"
  readelf -d "$binary" | grep -E 'RPATH|RUNPATH' >&2 && fail "$program has a library search path"
  env -u LD_LIBRARY_PATH ldd "$binary" >"$work/ldd"
  grep 'not found' "$work/ldd" >&2 && fail "$program needs a library that is not there"
  awk '$2 == "=>" && $3 !~ /^\/(usr\/)?lib/ { print }' "$work/ldd" | grep . >&2 && fail "$program links a library outside the system's"
done
grep -rlF "$build" "$root" >&2 && fail "files that name the build folder"

run() { env -u LD_LIBRARY_PATH -u QT_PLUGIN_PATH HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" "$@"; }
mkdir -p "$work/home"
run "$root/usr/bin/quillar-import" --help >"$work/import-help" || fail "quillar-import --help exit $?"
grep -q '^用法：quillar-import ' "$work/import-help" || fail "quillar-import --help: $(cat "$work/import-help")"
run "$root/usr/bin/quillar-demo" --help >"$work/demo-help" || fail "quillar-demo --help exit $?"
if run "$root/usr/bin/quillar-demo" demo "$work/demo" >"$work/demo.log" 2>&1; then
  head -c 16 "$work/demo/dbase/system.mdb" 2>/dev/null | grep -q '^SQLite format 3' \
    || fail "quillar-demo wrote no SQLite catalogue"
  gifs=$(find "$work/demo/Diagram/MiniMap" -name '*.gif' 2>/dev/null | wc -l)
  ((gifs > 0)) || fail "quillar-demo wrote no thumbnails"
  # The importer refuses a catalogue that is no Access file, with its own message.
  if run "$root/usr/bin/quillar-import" "$work/demo" "$work/imported" >"$work/import.log" 2>&1; then
    fail "quillar-import took an SQLite catalogue for an Access one"
  fi
  grep -q '不是 Access 数据库文件' "$work/import.log" || fail "quillar-import: $(cat "$work/import.log")"
else
  fail "quillar-demo demo: $(cat "$work/demo.log")"
fi

# --- manual pages agree with --help ------------------------------------------
# The text of sections $2... of the unpacked manual page $1.
sections() {
  local page=$1 wanted
  shift
  wanted="|$(IFS='|' && echo "$*")|"
  MANWIDTH=200 LC_ALL=C.UTF-8 man -l -P cat "$page" 2>/dev/null | col -b \
    | awk -v wanted="$wanted" '/^[A-Z]/ { keep = index(wanted, "|" $0 "|") > 0; next } keep'
}
# The options a text names, but for --help and -h, which every tool has.
options() {
  { grep -oE '(^|[][ |])--?[a-z][a-z-]*' || true; } | sed 's/^[][ |]//' | awk '$0 != "--help" && $0 != "-h"' | sort -u
}
for tool in import demo; do
  page="$root/usr/share/man/man1/quillar-$tool.1.gz"
  sections "$page" SYNOPSIS OPTIONS | options >"$work/$tool-page-options"
  options <"$work/$tool-help" >"$work/$tool-help-options"
  diff -u "$work/$tool-help-options" "$work/$tool-page-options" >&2 \
    || fail "quillar-$tool.1 and --help name other options (- help only, + page only)"
done
[[ -s $work/demo-help-options ]] || fail "no options found in quillar-demo --help"
for command in demo synthetic; do
  grep -q "quillar-demo $command " "$work/demo-help" || fail "quillar-demo --help lacks '$command'"
  sections "$root/usr/share/man/man1/quillar-demo.1.gz" SYNOPSIS | grep -q "quillar-demo $command " \
    || fail "quillar-demo.1's synopsis lacks '$command'"
done
# Exit codes: the help's 退出码 line and the page's EXIT STATUS list the same ones.
help_codes=$(grep '^退出码' "$work/demo-help" | grep -oE '(：|；)[0-9]+' | grep -oE '[0-9]+' | sort | xargs)
page_codes=$(sections "$root/usr/share/man/man1/quillar-demo.1.gz" "EXIT STATUS" | awk '$1 ~ /^[0-9]+$/ { print $1 }' | sort | xargs)
[[ -n $help_codes && $help_codes == "$page_codes" ]] || fail "quillar-demo exit codes: help '$help_codes', page '$page_codes'"
sections "$root/usr/share/man/man1/quillar.1.gz" DESCRIPTION "THE INSTALL ROOT" | grep -q 'quillar-demo' \
  || fail "quillar.1 does not name quillar-demo for a missing Path"

# --- release: one version in the project, the changelog and the metainfo ----------
metainfo="$root/usr/share/metainfo/org.quillar.Quillar.metainfo.xml"
zcat "$root/usr/share/doc/quillar/changelog.gz" | head -1 | grep -q "^quillar ($version) " \
  || fail "the changelog's latest entry is not $version"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
grep -q '^License: ' "$root/usr/share/doc/quillar/copyright" || fail "the copyright file states no License"

# --- desktop files and lintian ------------------------------------------------
desktop-file-validate "$root/usr/share/applications/org.quillar.Quillar.desktop" >&2 \
  || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" >"$work/appstream" 2>&1 || { cat "$work/appstream" >&2; fail "appstreamcli validate"; }
# Warnings fail too: the package has none, and a new one is fixed or listed in the README.
if ! lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1; then
  cat "$work/lintian" >&2
  fail "lintian"
fi

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package checks passed"
