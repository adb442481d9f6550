#!/usr/bin/env bash
# The Debian package as a publisher gets it: its fields (version, architecture, declared
# dependencies), its files (pakiet, both stubs, the docs), and, unpacked into an empty root on
# a machine that never built the project, a pakiet that builds and verifies the demo installer
# with the stub it carries (x86_64 by default, i686 when asked), and says where it looked when
# the stubs are gone. With the Windows zip, its files and the same stubs.
#
# usage: deb_package_test.sh SOURCE_DIR WORK DEB [ZIP]
set -uo pipefail
source=$1 work=$2 deb=$3 zip=${4:-}
pakiet=(true)  # lib.sh's paths are native: this test runs the Linux pakiet only
source "$source/tests/cli/lib.sh"
rm -rf "$work"
mkdir -p "$work"

# --- the package's fields and files -------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = pakiet ] && [ "$(field Architecture)" = amd64 ] && pass "package pakiet for amd64" ||
  fail "package $(field Package) for $(field Architecture)"
version=$(field Version)
case "$(basename "$deb")" in "pakiet_${version}_amd64.deb") pass "the file is named with the version $version" ;;
  *) fail "the file $(basename "$deb") is not named with the version $version" ;; esac
depends=$(field Depends)
for library in libc6 libstdc++6 zlib1g libjpeg62-turbo libdeflate0; do
  grep -q "$library" <<<"$depends" && pass "depends on $library" || fail "no dependency on $library: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/pakiet ./usr/share/pakiet/instalator-x86_64.exe ./usr/share/pakiet/instalator-i686.exe \
            ./usr/share/doc/pakiet/README.md ./usr/share/doc/pakiet/CHANGELOG.md ./usr/share/doc/pakiet/publishing.md; do
  grep -qx -- "$file" <<<"$contents" && pass "carries $file" || fail "does not carry $file"
done

# --- unpacked into an empty root ----------------------------------------------------------------
target=$work/root
dpkg -x "$deb" "$target"
installed=$target/usr/bin/pakiet
stubs=$target/usr/share/pakiet
"$installed" --version >"$work/version" 2>&1 && grep -q "^pakiet $version (commit " "$work/version" &&
  pass "the installed pakiet is version $version" || fail "pakiet --version: $(cat "$work/version")"

# The demo package's sources made into a package folder by the installed pakiet alone.
stage=$work/package
cp -R "$source/demo/package" "$stage"
catalog=$stage/Wrzos/dodatki.mdb
"$installed" catalog create "$catalog" >/dev/null &&
  "$installed" catalog import "$catalog" info_producent --csv "$source/demo/catalog/info_producent.csv" >/dev/null &&
  "$installed" catalog import "$catalog" Dodatki --csv "$source/demo/catalog/Dodatki.csv" >/dev/null &&
  pass "the installed pakiet makes the demo catalog" || fail "the demo catalog could not be made"

starts_with() { cmp -s -n "$(stat -c %s "$2")" "$1" "$2"; }  # INSTALLER STUB
(cd "$work" && "$installed" build --package "$stage/Wrzos" >"$work/build.log" 2>&1)
[ $? -eq 0 ] && [ -f "$work/Wrzos.exe" ] && pass "build without --stub writes Wrzos.exe" || fail "build without --stub: $(cat "$work/build.log")"
starts_with "$work/Wrzos.exe" "$stubs/instalator-x86_64.exe" && pass "with the installed x86_64 stub" || fail "not the x86_64 stub"
"$installed" verify "$work/Wrzos.exe" >"$work/verify.log" 2>&1 && [ "$(tail -n 1 "$work/verify.log")" = ok ] &&
  pass "verify accepts it" || fail "verify: $(cat "$work/verify.log")"
"$installed" build --stub i686 --package "$stage/Wrzos" --output "$work/Wrzos-i686.exe" >"$work/build32.log" 2>&1 &&
  starts_with "$work/Wrzos-i686.exe" "$stubs/instalator-i686.exe" && pass "--stub i686 takes the installed i686 stub" ||
  fail "--stub i686: $(cat "$work/build32.log")"

# The stubs gone: the folders searched are named and nothing is written.
mv "$stubs" "$work/stubs-aside"
"$installed" build --package "$stage/Wrzos" --output "$work/none.exe" >"$work/none.log" 2>&1
rc=$?
mv "$work/stubs-aside" "$stubs"
[ $rc -eq 1 ] && grep -qF "nie znaleziono programu startowego instalator-x86_64.exe" "$work/none.log" &&
  grep -qF "$target/usr/share/pakiet" "$work/none.log" && pass "without stubs build names where it looked" ||
  fail "build without stubs: exit $rc: $(cat "$work/none.log")"
[ -e "$work/none.exe" ] && fail "a build without a stub wrote an installer" || pass "nothing is written without a stub"

# --- the Windows zip ----------------------------------------------------------------------------
if [ -n "$zip" ]; then
  folder=pakiet-$version-windows
  [ "$(basename "$zip")" = "$folder.zip" ] && pass "the zip is named with the version" || fail "zip name $(basename "$zip")"
  listing=$(unzip -Z1 "$zip")
  for file in pakiet.exe instalator-x86_64.exe instalator-i686.exe doc/README.md doc/CHANGELOG.md doc/publishing.md; do
    grep -qx "$folder/$file" <<<"$listing" && pass "the zip carries $file" || fail "the zip lacks $file"
  done
  unzip -q "$zip" -d "$work/zip"
  # A PE file's COFF header: TimeDateStamp 8 bytes after the "PE\0\0" that e_lfanew points to.
  for exe in pakiet.exe instalator-x86_64.exe instalator-i686.exe; do
    header=$(od -An -tu4 -j 60 -N 4 "$work/zip/$folder/$exe" | tr -d ' ')
    stamp=$(od -An -tu4 -j $((header + 8)) -N 4 "$work/zip/$folder/$exe" | tr -d ' ')
    [ "$stamp" = 0 ] && pass "the zip's $exe has no link time" || fail "the zip's $exe is stamped $stamp"
  done
  cmp -s "$work/zip/$folder/instalator-x86_64.exe" "$stubs/instalator-x86_64.exe" &&
    cmp -s "$work/zip/$folder/instalator-i686.exe" "$stubs/instalator-i686.exe" &&
    pass "the zip's stubs are the package's" || fail "the zip's stubs differ from the package's"
fi

echo "$failures failure(s)"
[ $failures -eq 0 ]
