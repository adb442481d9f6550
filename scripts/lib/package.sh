# Packs built programs into the release artefacts; sourced by scripts/release and the package
# test. Every file is dated SOURCE_DATE_EPOCH (the commit's time in a release), so the same
# programs give the same packages.

# The documents that travel with pakiet, as "source-path destination-name" pairs.
lumor_release_docs() {
  local root=$1
  printf '%s\n' "$root/README.md README.md" "$root/CHANGELOG.md CHANGELOG.md" \
    "$root/doc/publishing.md publishing.md" "$root/doc/installer-format.md installer-format.md"
}

# lumor_make_deb ROOT OUT VERSION PAKIET STUB_X86_64 STUB_I686: OUT/pakiet_VERSION_amd64.deb.
# Its dependencies are the shared libraries pakiet links, as dpkg-shlibdeps finds them.
lumor_make_deb() {
  local root=$1 out=$2 version=$3 pakiet=$4 stub64=$5 stub32=$6
  local stage
  stage=$(mktemp -d)
  local pkg=$stage/pkg
  mkdir -p "$pkg/DEBIAN" "$pkg/usr/bin" "$pkg/usr/share/pakiet" "$pkg/usr/share/doc/pakiet"
  install -m 0755 "$pakiet" "$pkg/usr/bin/pakiet"
  strip --strip-unneeded "$pkg/usr/bin/pakiet"
  install -m 0644 "$stub64" "$pkg/usr/share/pakiet/instalator-x86_64.exe"
  install -m 0644 "$stub32" "$pkg/usr/share/pakiet/instalator-i686.exe"
  local from name
  while read -r from name; do install -m 0644 "$from" "$pkg/usr/share/doc/pakiet/$name"; done < <(lumor_release_docs "$root")
  local depends
  mkdir -p "$stage/shlibs/debian"
  printf 'Source: pakiet\n\nPackage: pakiet\nArchitecture: amd64\n' >"$stage/shlibs/debian/control"
  depends=$(cd "$stage/shlibs" && dpkg-shlibdeps -O "$pkg/usr/bin/pakiet" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
  [ -n "$depends" ] || { echo "lumor_make_deb: dpkg-shlibdeps found no dependencies" >&2; return 1; }
  cat >"$pkg/DEBIAN/control" <<CONTROL
Package: pakiet
Version: $version
Architecture: amd64
Maintainer: Instalator bibliotek CAD <wydawcy@example.invalid>
Installed-Size: $(du -sk "$pkg/usr" | cut -f1)
Depends: $depends
Suggests: osslsigncode
Section: utils
Priority: optional
Description: builds, signs and checks installers of CAD catalog library packages
 pakiet makes a self-extracting Windows installer from a catalog package (the installer
 stubs for x86_64 and i686 are included), verifies and extracts installers, installs
 headless, and reads and writes Jet 4 catalogs (dodatki.mdb), CSV from Excel included.
CONTROL
  find "$pkg" -exec touch -h -d "@${SOURCE_DATE_EPOCH:-0}" {} +
  mkdir -p "$out"
  dpkg-deb --root-owner-group -Zxz --build "$pkg" "$out/pakiet_${version}_amd64.deb" >/dev/null
  rm -rf "$stage"
}

# lumor_make_zip ROOT OUT VERSION PAKIET_EXE STUB_X86_64 STUB_I686:
# OUT/pakiet-VERSION-windows.zip, one folder with pakiet.exe, both stubs beside it and the docs.
lumor_make_zip() {
  local root=$1 out=$2 version=$3 pakiet=$4 stub64=$5 stub32=$6
  local stage folder
  stage=$(mktemp -d)
  folder=pakiet-$version-windows
  mkdir -p "$stage/$folder/doc"
  # Already stripped at its link (a strip here would put a time into its PE header).
  cp "$pakiet" "$stage/$folder/pakiet.exe"
  cp "$stub64" "$stage/$folder/instalator-x86_64.exe"
  cp "$stub32" "$stage/$folder/instalator-i686.exe"
  local from name
  while read -r from name; do cp "$from" "$stage/$folder/doc/$name"; done < <(lumor_release_docs "$root")
  find "$stage/$folder" -exec touch -h -d "@${SOURCE_DATE_EPOCH:-0}" {} +
  mkdir -p "$out"
  local zip
  zip=$(cd "$out" && pwd)/pakiet-$version-windows.zip
  rm -f "$zip"
  (cd "$stage" && find "$folder" | LC_ALL=C sort | TZ=UTC zip -X -q -D "$zip" -@)
  rm -rf "$stage"
}
