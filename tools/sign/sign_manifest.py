#!/usr/bin/env python3
"""Signs the updater's manifest: writes update.qmu and update.qmu.sig for the web server.

  sign_manifest.py keygen PRIVATE.pem PUBLIC.pem
      a new P-256 key pair (keep PRIVATE.pem offline; configure with PUBLIC.pem)
  sign_manifest.py sign --key PRIVATE.pem [--serial N] [--expires yyyymmdd | --days D]
                        [--files DIR] [--checker PROGRAM] MANIFEST OUTDIR
      sets SERIAL (default: the current time in seconds, so it rises with every run) and
      EXPIRES (default: 42 days ahead) in [ZELORADATE], fills SHA256 and SIZE of every codec
      whose installer's file name is in DIR, and writes OUTDIR/update.qmu and
      OUTDIR/update.qmu.sig (ECDSA P-256 over SHA-256, DER) only when the updater takes the
      result whole.

The manifest is read and judged by zelora_manifest_check, which is built from the updater's
own code (cmake --preset native && cmake --build build/native --target zelora_manifest_check):
the sections and keys edited here are the ones the updater reads, and anything the updater
would refuse or pass over (a repeated section, an unknown key, a 19-digit SERIAL, a file name
it does not download, ...) stops the signing. Uses that program and openssl only.
"""

import argparse
import datetime
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time

BOM = b"\xef\xbb\xbf"
PROGRAM_SECTION = b"[ZELORADATE]"
REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECKER = "zelora_manifest_check"


def openssl(*args, data=None):
    return subprocess.run(["openssl", *args], input=data, check=True, capture_output=True).stdout


def keygen(args):
    openssl("genpkey", "-algorithm", "EC", "-pkeyopt", "ec_paramgen_curve:P-256", "-out", args.private)
    os.chmod(args.private, 0o600)
    openssl("pkey", "-in", args.private, "-pubout", "-out", args.public)
    print(f"private key: {args.private} (never publish it)\npublic key:  {args.public} "
          f"(configure with -DZELORA_UPDATE_KEY_FILE={os.path.abspath(args.public)})")


def find_checker(given):
    candidates = [given] if given else [os.environ.get("ZELORA_MANIFEST_CHECK"),
                                        os.path.join(REPO, "build", "native", CHECKER),
                                        os.path.join(REPO, "build", "sanitize", CHECKER),
                                        shutil.which(CHECKER)]
    for candidate in candidates:
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    sys.exit(f"{CHECKER} not found: build it with `cmake --preset native && cmake --build build/native "
             f"--target {CHECKER}`, or name it with --checker")


class Layout:
    """The sections and keys the updater reads, by line number (1-based), from the checker."""

    def __init__(self, checker, path):
        out = subprocess.run([checker, "layout", path], check=True, capture_output=True).stdout
        self.program = None   # header line of [ZELORADATE]
        self.codecs = []      # (header line, local file name or "")
        self.keys = {}        # (header line, lower-case key) -> line
        for record in out.decode("utf-8", "replace").splitlines():
            fields = record.split("\t", 3)
            if fields[0] == "program":
                self.program = int(fields[1])
            elif fields[0] == "codec":
                self.codecs.append((int(fields[1]), fields[2]))
            elif fields[0] == "key":
                self.keys[(int(fields[2]), fields[3])] = int(fields[1])


class Manifest:
    """The text as lines split at "\\n" (as the updater splits it), edited by line number."""

    def __init__(self, data):
        self.bom = data.startswith(BOM)
        lines = data[len(BOM):].split(b"\n") if self.bom else data.split(b"\n")
        if lines and lines[-1] == b"":
            lines.pop()
        self.lines = [line[:-1] if line.endswith(b"\r") else line for line in lines]
        self.replaced = {}   # line -> new text
        self.inserted = {}   # after line (0: at the top) -> new lines

    def set_keys(self, layout, header, values):
        """Sets KEY=value in the section whose header is on line `header` (0: a new program
        section at the top), replacing the line the updater reads the key from."""
        for key, value in values.items():
            text = key.encode() + b"=" + value.encode()
            line = layout.keys.get((header, key.lower())) if header else None
            if line:
                self.replaced[line] = text
            else:
                self.inserted.setdefault(header, []).append(text)

    def bytes(self):
        out = []
        if 0 in self.inserted:
            out += [PROGRAM_SECTION] + self.inserted[0]
        for number, line in enumerate(self.lines, 1):
            out.append(self.replaced.get(number, line))
            out += self.inserted.get(number, [])
        return (BOM if self.bom else b"") + b"\r\n".join(out) + b"\r\n"


def sign(args):
    checker = find_checker(args.checker)
    with open(args.manifest, "rb") as f:
        manifest = Manifest(f.read())
    today = datetime.datetime.now(datetime.timezone.utc).date()
    expires = args.expires or (today + datetime.timedelta(days=args.days)).strftime("%Y%m%d")
    serial = args.serial if args.serial is not None else int(time.time())

    layout = Layout(checker, args.manifest)
    manifest.set_keys(layout, layout.program or 0, {"SERIAL": str(serial), "EXPIRES": expires})
    for header, local in layout.codecs:
        path = os.path.join(args.files, local) if args.files and local else None
        if path and os.path.isfile(path):
            with open(path, "rb") as f:
                body = f.read()
            manifest.set_keys(layout, header, {"SHA256": hashlib.sha256(body).hexdigest(), "SIZE": str(len(body))})
    body = manifest.bytes()

    with tempfile.TemporaryDirectory() as scratch:
        candidate = os.path.join(scratch, "update.qmu")
        with open(candidate, "wb") as f:
            f.write(body)
        check = subprocess.run([checker, "check", "--today", today.strftime("%Y%m%d"), candidate],
                               capture_output=True)
    os.makedirs(args.outdir, exist_ok=True)
    if check.returncode != 0:
        refused = os.path.join(args.outdir, "update.qmu.refused")
        with open(refused, "wb") as f:
            f.write(body)
        sys.stderr.write(check.stdout.decode("utf-8", "replace") + check.stderr.decode("utf-8", "replace"))
        sys.exit(f"not signed: the updater would not take this manifest whole (the lines are those of {refused})")

    manifest_path = os.path.join(args.outdir, "update.qmu")
    signature = openssl("dgst", "-sha256", "-sign", args.key, data=body)
    # Proof that the pair verifies before anything is published.
    with tempfile.NamedTemporaryFile(suffix=".pem") as public, tempfile.NamedTemporaryFile() as sig:
        openssl("pkey", "-in", args.key, "-pubout", "-out", public.name)
        sig.write(signature)
        sig.flush()
        openssl("dgst", "-sha256", "-verify", public.name, "-signature", sig.name, data=body)
    with open(manifest_path, "wb") as f:
        f.write(body)
    with open(manifest_path + ".sig", "wb") as f:
        f.write(signature)
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
    s.add_argument("--checker")
    s.add_argument("manifest")
    s.add_argument("outdir")
    args = parser.parse_args()
    keygen(args) if args.command == "keygen" else sign(args)


if __name__ == "__main__":
    main()
