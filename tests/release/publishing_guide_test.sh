#!/usr/bin/env bash
# The publisher's guide stays true: every `sh` block of doc/publishing.md runs, in order, in a
# folder holding what the guide starts from (the demo package's files and CSV sources, the
# catalog of an earlier installation, a code-signing certificate), with pakiet laid out as the
# Debian package installs it. Then the results the guide promises are checked.
#
# usage: publishing_guide_test.sh SOURCE_DIR WORK PAKIET [STUB]
#   STUB  the installer stub to install beside pakiet (a minimal PE image when not given)
set -uo pipefail
source=$1 work=$2 binary=$3 stub=${4:-}
pakiet=(true)
source "$source/tests/cli/lib.sh"
rm -rf "$work"
mkdir -p "$work/usr/bin" "$work/usr/share/pakiet" "$work/guide"
cp "$binary" "$work/usr/bin/pakiet"
if [ -n "$stub" ]; then
  cp "$stub" "$work/usr/share/pakiet/instalator-x86_64.exe"
else
  # Headers in 0x200 bytes, one .text section: enough for osslsigncode to sign.
  python3 - "$work/usr/share/pakiet/instalator-x86_64.exe" <<'PY'
import struct, sys
pe = bytearray(b'MZ' + b'\0' * 0x3A) + struct.pack('<I', 0x40) + b'PE\0\0'
pe += struct.pack('<HHIIIHH', 0x8664, 1, 0, 0, 0, 240, 0x22)
pe += struct.pack('<H2xIIIIIQII', 0x20B, 0x200, 0, 0, 0x1000, 0x1000, 0x140000000, 0x1000, 0x200)
pe += struct.pack('<6HIIIIHH', 6, 0, 0, 0, 6, 0, 0, 0x2000, 0x200, 0, 2, 0)
pe += struct.pack('<4QII', 0x100000, 0x1000, 0x100000, 0x1000, 0, 16) + b'\0' * 128
pe += b'.text\0\0\0' + struct.pack('<6IHHI', 0x10, 0x1000, 0x200, 0x200, 0, 0, 0, 0, 0x60000020)
pe += b'\0' * (0x200 - len(pe)) + b'\xC3' * 0x200
open(sys.argv[1], 'wb').write(pe)
PY
fi

# What the guide starts from.
guide=$work/guide
cp -R "$source/demo/package/." "$guide/"
rm -f "$guide/Wrzos/dodatki.mdb"
cp "$source/demo/catalog/info_producent.csv" "$source/demo/catalog/Dodatki.csv" "$guide/"
bash "$source/demo/make-earlier-catalog.sh" "$guide/stary/dodatki.mdb" "$work/usr/bin/pakiet"
export HASLO=tajne
(cd "$guide" &&
  openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj '/CN=Wrzos Test Publisher' &&
  openssl pkcs12 -export -inkey key.pem -in cert.pem -out firma.pfx -passout env:HASLO) >/dev/null 2>&1 ||
  fail "no test certificate could be made"

# The guide's commands, block by block.
python3 - "$source/doc/publishing.md" "$work/blocks" <<'PY'
import os, re, sys
text = open(sys.argv[1], encoding='utf-8').read()
blocks = re.findall(r'^```sh\n(.*?)^```', text, re.S | re.M)
os.makedirs(sys.argv[2])
for i, block in enumerate(blocks):
    open(os.path.join(sys.argv[2], '%02d.sh' % i), 'w', encoding='utf-8').write(block)
PY
count=$(ls "$work/blocks" | wc -l)
[ "$count" -ge 7 ] && pass "the guide has $count command blocks" || fail "only $count command blocks found in the guide"
export PATH="$work/usr/bin:$PATH"
# One shell for all blocks, as a publisher's terminal: what a block exports, the next sees.
{
  echo 'set -euo pipefail'
  for block in "$work"/blocks/*.sh; do
    echo "echo '### $(basename "$block")'"
    cat "$block"
  done
} >"$work/all.sh"
(cd "$guide" && bash "$work/all.sh") >"$work/guide.log" 2>&1
rc=$?
[ $rc -eq 0 ] && pass "every command of the guide succeeds" ||
  { fail "the guide's commands stopped (exit $rc) in block $(grep '^### ' "$work/guide.log" | tail -n 1)"; tail -n 20 "$work/guide.log"; }

# What the guide promises.
grep -qF "Plik CSV: UTF-8 (rozpoznane), separator przecinek" "$work/guide.log" && pass "import says what it detected" ||
  fail "no detection summary in the import's output"
pakiet catalog dump "$guide/podglad.mdb" Dodatki >"$work/preview.csv" 2>&1
grep -q "^74001," "$work/preview.csv" && ! grep -q "^73990," "$work/preview.csv" &&
  pass "the preview drops the item marked DELETE" || fail "the preview: $(head -c 300 "$work/preview.csv")"
pakiet verify "$guide/Wrzos-podpisany.exe" >"$work/verify.log" 2>&1 && [ "$(tail -n 1 "$work/verify.log")" = ok ] &&
  pass "the signed installer verifies" || fail "verify of the signed installer: $(tail -n 3 "$work/verify.log")"
grep -q "^podpis: skrót SHA-256 zapisany w podpisie zgadza się z plikiem" "$work/verify.log" &&
  pass "verify checks the signature's digest" || fail "verify says nothing of the signature: $(cat "$work/verify.log")"
installed="$guide/proba/Kavitek/CAD 2.0/dodatki/Wrzos"
[ -f "$installed/SD40.dwx" ] && pass "the trial installation put the package's files in place" || fail "no SD40.dwx in $installed"
pakiet catalog dump "$installed/dodatki.mdb" Dodatki >"$work/installed.csv" 2>&1
grep -q "^74001,.*489,00" "$work/installed.csv" &&
  pass "the trial installation's catalog has the package's prices" || fail "the installed catalog lacks 74001 at 489,00"

echo "$failures failure(s)"
[ $failures -eq 0 ]
