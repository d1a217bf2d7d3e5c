#!/usr/bin/env bash
# The release files look like a real Windows product's: both programs and the setup carry one
# and the same version (that of cmake/ProductVersion.cmake) in their version resources, and
# the signing hook signs all three. Usage: check-release-files.sh BUILD_DIR (the 32-bit
# build). The signing half builds a second 32-bit tree with a throwaway certificate and a
# throwaway update key: a signed build must never trust the development update key, so
# configure stops without one, and its setup refuses an updater that carries it.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: check-release-files.sh BUILD_DIR}
files=(Zelora.exe ZeloraUpdate.exe ZeloraSetup.exe)
status=0

# The fixed version block of a PE file's version resource, as "a.b.c.d product a.b.c.d".
fixed_version() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
at = data.find(struct.pack('<I', 0xFEEF04BD))
if at < 0:
    sys.exit('no version resource')
fms, fls, pms, pls = struct.unpack_from('<4I', data, at + 8)
v = lambda ms, ls: '%d.%d.%d.%d' % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
print(v(fms, fls), 'product', v(pms, pls))
PY
}

want=$(sed -n 's/^#define ZELORA_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/ProductVersion.h")
for f in "${files[@]}"; do
  got=$(fixed_version "$build/$f" 2>&1)
  if [ "$got" = "$want product $want" ]; then
    echo "$f: version $want"
  else
    echo "$f: version resource says '$got', expected $want"; status=1
  fi
done

signed="$build-signed"
keys=$(mktemp -d)
trap 'rm -rf "$keys"' EXIT
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Zelora test signing" \
  -keyout "$keys/key.pem" -out "$keys/cert.pem" 2>/dev/null || { echo "openssl could not make a certificate"; exit 1; }
openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$keys/update.pem" 2>/dev/null &&
  openssl pkey -in "$keys/update.pem" -pubout -out "$keys/update.public.pem" 2>/dev/null ||
  { echo "openssl could not make an update key"; exit 1; }

# A certificate without a release update key: configure stops, naming the missing option.
if cmake --preset win32 -B "$keys/no-update-key" -DZELORA_BUILD_TESTS=OFF \
     -DZELORA_SIGN_CERT="$keys/cert.pem" -DZELORA_SIGN_KEY="$keys/key.pem" >"$keys/configure.txt" 2>&1; then
  echo "configure signed a build that trusts the development update key"; status=1
elif grep -q "ZELORA_UPDATE_KEY_FILE" "$keys/configure.txt"; then
  echo "configure stops a signed build without ZELORA_UPDATE_KEY_FILE"
else
  echo "configure failed for another reason:"; tail -n 5 "$keys/configure.txt"; status=1
fi

if ! { cmake --preset win32 -B "$signed" -DZELORA_BUILD_TESTS=OFF \
         -DZELORA_SIGN_CERT="$keys/cert.pem" -DZELORA_SIGN_KEY="$keys/key.pem" \
         -DZELORA_UPDATE_KEY_FILE="$keys/update.public.pem" >/dev/null &&
       cmake --build "$signed" -j"$(nproc)" --target ZeloraSetup >/dev/null; }; then
  echo "the signed build failed"; exit 1
fi
for f in "${files[@]}"; do
  if osslsigncode verify -CAfile "$keys/cert.pem" -in "$signed/$f" >"$keys/verify.txt" 2>&1 &&
     grep -q "Signature verification: ok" "$keys/verify.txt"; then
    echo "$f: signed by the test certificate"
  else
    echo "$f: no valid signature"; sed 's/^/    /' "$keys/verify.txt" | tail -n 5; status=1
  fi
done

# The development-keyed updater of BUILD_DIR put in place of the signed build's: its setup
# is not packed. The signed build is rebuilt afterwards, as it was.
cp "$build/ZeloraUpdate.exe" "$signed/ZeloraUpdate.exe"
if cmake --build "$signed" --target ZeloraSetup >"$keys/setup.txt" 2>&1; then
  echo "ZeloraSetup.exe packed an updater that trusts the development key"; status=1
elif tr -s " \n" "  " <"$keys/setup.txt" | grep -q "DEVELOPMENT update key"; then
  echo "ZeloraSetup.exe refuses an updater that trusts the development key"
else
  echo "the setup failed for another reason:"; tail -n 5 "$keys/setup.txt"; status=1
fi
rm -f "$signed/ZeloraUpdate.exe"
cmake --build "$signed" --target ZeloraSetup >/dev/null 2>&1 || { echo "the signed build could not be restored"; status=1; }
exit $status
