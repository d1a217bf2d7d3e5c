#!/usr/bin/env python3
"""Signs the updater's manifest: writes update.qmu and update.qmu.sig for the web server.

  sign_manifest.py keygen PRIVATE.pem PUBLIC.pem
      a new P-256 key pair (keep PRIVATE.pem offline; configure with PUBLIC.pem)
  sign_manifest.py sign --key PRIVATE.pem [--serial N] [--expires yyyymmdd | --days D]
                        [--files DIR] MANIFEST OUTDIR
      sets SERIAL (default: the current time in seconds, so it rises with every run) and
      EXPIRES (default: 42 days ahead) in [ZELORADATE], fills SHA256 and SIZE of every codec
      whose installer's file name is in DIR, checks the rules the updater applies, and
      writes OUTDIR/update.qmu and OUTDIR/update.qmu.sig (ECDSA P-256 over SHA-256, DER).

Uses the openssl command line program only.
"""

import argparse
import datetime
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import time

MAX_MANIFEST = 64 * 1024
PROGRAM_SECTION = "zeloradate"


def openssl(*args, data=None):
    return subprocess.run(["openssl", *args], input=data, check=True, capture_output=True).stdout


def keygen(args):
    openssl("genpkey", "-algorithm", "EC", "-pkeyopt", "ec_paramgen_curve:P-256", "-out", args.private)
    os.chmod(args.private, 0o600)
    openssl("pkey", "-in", args.private, "-pubout", "-out", args.public)
    print(f"private key: {args.private} (never publish it)\npublic key:  {args.public} "
          f"(configure with -DZELORA_UPDATE_KEY_FILE={os.path.abspath(args.public)})")


def set_keys(lines, section, values):
    """Sets key=value lines in `section` (created at the top when missing), replacing any."""
    start = next((i for i, line in enumerate(lines)
                  if line.strip().lower() == f"[{section.lower()}]"), None)
    if start is None:
        lines[0:0] = [f"[{section.upper()}]"]
        start = 0
    end = next((i for i in range(start + 1, len(lines)) if lines[i].strip().startswith("[")), len(lines))
    wanted = {k.lower() for k in values}
    kept = [line for line in lines[start + 1:end] if line.split("=", 1)[0].strip().lower() not in wanted]
    lines[start + 1:end] = [f"{k}={v}" for k, v in values.items()] + kept


def sections(lines):
    current, result = None, {}
    for line in lines:
        text = line.strip()
        if text.startswith("["):
            current = text[1:text.find("]")].strip() if "]" in text else text[1:]
            result.setdefault(current, {})
        elif current is not None and "=" in text and not text.startswith(";"):
            key, value = text.split("=", 1)
            result[current].setdefault(key.strip().lower(), value.strip())
    return result


def sign(args):
    with open(args.manifest, encoding="utf-8") as f:
        lines = f.read().splitlines()
    if args.expires:
        expires = args.expires
    else:
        expires = (datetime.datetime.now(datetime.timezone.utc).date() +
                   datetime.timedelta(days=args.days)).strftime("%Y%m%d")
    serial = args.serial if args.serial is not None else int(time.time())
    if serial <= 0 or not re.fullmatch(r"\d{8}", expires):
        sys.exit("SERIAL must be positive and EXPIRES yyyymmdd")
    set_keys(lines, PROGRAM_SECTION, {"SERIAL": str(serial), "EXPIRES": expires})

    for name, keys in sections(lines).items():
        url = keys.get("url", "")
        local = url.split("?")[0].split("#")[0].rsplit("/", 1)[-1]
        if name.lower() == PROGRAM_SECTION or not url:
            continue
        if args.files and os.path.isfile(os.path.join(args.files, local)):
            with open(os.path.join(args.files, local), "rb") as f:
                body = f.read()
            set_keys(lines, name, {"SHA256": hashlib.sha256(body).hexdigest(), "SIZE": str(len(body))})
        keys = sections(lines)[name]
        if not re.fullmatch(r"[0-9A-Fa-f]{64}", keys.get("sha256", "")) or not keys.get("size", "").isdigit():
            print(f"warning: [{name}] has no SHA256 and SIZE: the updater will not offer it", file=sys.stderr)
        if not local.lower().endswith((".exe", ".msi")):
            print(f"warning: [{name}] names no .exe or .msi: the updater will not offer it", file=sys.stderr)
    ver = sections(lines).get(next((s for s in sections(lines) if s.lower() == PROGRAM_SECTION), ""), {}).get("ver", "")
    if not re.fullmatch(r"\d{8}", ver):
        sys.exit("[ZELORADATE] VER must be an 8-digit date (yyyymmdd)")

    body = ("\r\n".join(lines) + "\r\n").encode("utf-8")
    if len(body) > MAX_MANIFEST:
        sys.exit(f"the manifest is {len(body)} bytes; the updater takes at most {MAX_MANIFEST}")
    os.makedirs(args.outdir, exist_ok=True)
    manifest_path = os.path.join(args.outdir, "update.qmu")
    with open(manifest_path, "wb") as f:
        f.write(body)
    signature = openssl("dgst", "-sha256", "-sign", args.key, data=body)
    with open(manifest_path + ".sig", "wb") as f:
        f.write(signature)
    # Proof that the pair verifies before anything is published.
    with tempfile.NamedTemporaryFile(suffix=".pem") as public:
        openssl("pkey", "-in", args.key, "-pubout", "-out", public.name)
        openssl("dgst", "-sha256", "-verify", public.name, "-signature", manifest_path + ".sig", data=body)
    print(f"{manifest_path} (SERIAL={serial}, EXPIRES={expires}) and its .sig: publish both")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    k = commands.add_parser("keygen")
    k.add_argument("private")
    k.add_argument("public")
    s = commands.add_parser("sign")
    s.add_argument("--key", required=True)
    s.add_argument("--serial", type=int)
    s.add_argument("--expires")
    s.add_argument("--days", type=int, default=42)
    s.add_argument("--files")
    s.add_argument("manifest")
    s.add_argument("outdir")
    args = parser.parse_args()
    keygen(args) if args.command == "keygen" else sign(args)


if __name__ == "__main__":
    main()
