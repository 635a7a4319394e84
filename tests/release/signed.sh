#!/usr/bin/env bash
# Signing with a throwaway certificate made here: the exe and the MSI verify
# against it (and not against another one, nor after a changed byte), the
# zip carries the signed exe, and the signed exe still runs under Wine.
. "$(dirname "$0")/lib.sh" "$1"
use_wine
work=$build/release-test/signing
rm -rf "$work" && mkdir -p "$work"
export STAYWICK_SIGN_PASSWORD="throwaway-$RANDOM$RANDOM"
make_cert() {  # make_cert <name>: <name>.pem and <name>.pfx in $work
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Staywick test $1" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/$1.key" -out "$work/$1.pem" 2>/dev/null
  openssl pkcs12 -export -inkey "$work/$1.key" -in "$work/$1.pem" -out "$work/$1.pfx" \
    -passout env:STAYWICK_SIGN_PASSWORD
}
make_cert signer
make_cert stranger
# The signing time must fall inside the fresh certificate's validity.
SOURCE_DATE_EPOCH=$(date +%s) "$root/packaging/make-dist" "$build" "$work/dist" --sign "$work/signer.pfx" >/dev/null
signed=$work/dist
msi=$signed/Staywick-$version-win-x64.msi
verify() { osslsigncode verify -CAfile "$work/$1.pem" -in "$2" >/dev/null 2>&1; }

check "the signed exe verifies against the certificate" verify signer "$signed/Staywick.exe"
check "the signed MSI verifies against the certificate" verify signer "$msi"
check "the exe does not verify against another certificate" absent verify stranger "$signed/Staywick.exe"
check "the unsigned exe does not verify" absent verify signer "$dist/Staywick.exe"
cp "$signed/Staywick.exe" "$work/changed.exe"
printf 'X' | dd of="$work/changed.exe" bs=1 seek=4096 conv=notrunc status=none
check "a changed byte breaks the signature" absent verify signer "$work/changed.exe"
check "the zip carries the signed exe" \
  cmp -s <(unzip -p "$signed/Staywick-$version-win-x64.zip" Staywick.exe) "$signed/Staywick.exe"
check "the MSI installs the signed exe" \
  bash -c "cd '$work' && msiextract -C extracted '$msi' >/dev/null && cmp -s \"\$(find extracted -name Staywick.exe)\" '$signed/Staywick.exe'"
check "sha256sum -c SHA256SUMS passes for the signed set" \
  bash -c "cd '$signed' && sha256sum --quiet -c SHA256SUMS"
check "the password appears in no output file" absent grep -rqF "$STAYWICK_SIGN_PASSWORD" "$signed"

# The signed exe runs: a portable copy (its own settings file beside it).
mkdir -p "$work/run"
cp "$signed/Staywick.exe" "$work/run/"
: >"$work/run/Staywick.Settings"
start_detached "$(winepath -w "$work/run/Staywick.exe")"
check "the signed exe shows its main window" win "$bin/staywick_probe.exe" wait 20000
check "and closes through its own exit path" win "$bin/staywick_probe.exe" close 10000
rc=0; wait "$started" || rc=$?
check "with exit code 0 (got $rc)" [ "$rc" -eq 0 ]
finish
