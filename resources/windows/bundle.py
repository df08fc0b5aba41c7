#!/usr/bin/python3
"""Makes the Windows downloads from a Windows build: the portable zip and the
MSI installer. The same inputs give the same bytes: file times come from
SOURCE_DATE_EPOCH (1980-01-01 when unset), and the MSI's codes are derived,
not drawn at random.

   bundle.py zip|msi BUILD_DIR OUT_DIR [--exe EXE] [--version X.Y.Z]

BUILD_DIR's bundle.json names the program, the installer's icon, the
read-me, the teachers' guide, the licence, the version and the publisher's addresses; --exe puts
another program in (scripts/sign's signed one) and --version gives the MSI
another version (the upgrade test).
"""
import argparse
import hashlib
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import uuid
import zipfile
from pathlib import Path

import olefile

HERE = Path(__file__).resolve().parent
# The namespace of Kestrova's derived MSI codes; never change it.
CODES = uuid.UUID("ec378858-2aaa-4907-9eef-6ccf73a7f86f")
# The teachers' guide, under the name it has in every download.
GUIDE = "za-uchitelya.html"


def source_date_epoch():
    # Zip times start in 1980.
    return max(int(os.environ.get("SOURCE_DATE_EPOCH", "0")), 315532800)


def license_text(info):
    """LICENSE with Windows line ends, which every Notepad shows."""
    return Path(info["license"]).read_text(encoding="utf-8").replace("\r\n", "\n").replace("\n", "\r\n").encode()


def make_zip(info, exe, out_dir):
    folder = f"kestrova-{info['version_text']}-windows"
    out = Path(out_dir, folder + ".zip")
    stamp = time.gmtime(source_date_epoch())[:6]
    files = sorted({"kestrova.exe": Path(exe).read_bytes(), "README-BG.txt": Path(info["readme"]).read_bytes(),
                    GUIDE: Path(info["guide"]).read_bytes(), "LICENSE.txt": license_text(info)}.items())
    with zipfile.ZipFile(out, "w") as bundle:
        entries = [(folder + "/", None)] + [(f"{folder}/{name}", data) for name, data in files]
        for name, data in entries:
            entry = zipfile.ZipInfo(name, stamp)
            entry.create_system = 3  # Unix, so that the modes below mean what they say
            if data is None:
                entry.external_attr = (0o40755 << 16) | 0x10
                bundle.writestr(entry, b"")
            else:
                mode = 0o100755 if name.endswith(".exe") else 0o100644
                entry.external_attr = mode << 16
                entry.compress_type = zipfile.ZIP_DEFLATED
                bundle.writestr(entry, data, compresslevel=9)
    return out


def set_summary(msi, package_code, filetime):
    """Sets the package code and both times in the MSI's summary
    information; wixl draws the one at random, whatever Package/@Id says,
    and takes the others from the clock, whatever SOURCE_DATE_EPOCH says. Each value keeps its size, so the stream is rewritten in place."""
    ole = olefile.OleFileIO(str(msi), write_mode=True)
    name = "\x05SummaryInformation"
    data = bytearray(ole.openstream(name).read())
    section = struct.unpack_from("<I", data, 44)[0]
    count = struct.unpack_from("<I", data, section + 4)[0]
    seen = set()
    for i in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * i)
        at = section + offset
        kind = struct.unpack_from("<I", data, at)[0]
        if pid == 9 and kind == 30:  # revision number: the package code, as text
            length = struct.unpack_from("<I", data, at + 4)[0]
            text = ("{%s}\0" % str(package_code).upper()).encode("ascii")
            if len(text) != length:
                raise SystemExit(f"{msi}: unexpected package code of {length} bytes")
            data[at + 8:at + 8 + length] = text
            seen.add(pid)
        elif pid in (12, 13) and kind == 64:  # created, last saved
            struct.pack_into("<Q", data, at + 4, filetime)
            seen.add(pid)
    if seen != {9, 12, 13}:
        raise SystemExit(f"{msi}: summary information without {sorted({9, 12, 13} - seen)}")
    ole.write_stream(name, bytes(data))
    ole.close()


def product_code(arch, version):
    """A new version is a new product, which the old one's MajorUpgrade
    entry replaces."""
    return uuid.uuid5(CODES, f"product {arch} {version}")


def make_msi(info, exe, out_dir, version):
    out = Path(out_dir, f"kestrova-{info['version_text']}-windows.msi")
    wxs = HERE / "kestrova.wxs"
    epoch = source_date_epoch()
    arch = info["msi_arch"]
    with tempfile.TemporaryDirectory() as tmp:
        # wixl takes its sources relative to where it runs; the cabinet
        # inside records the program's file time.
        staged = Path(tmp, "kestrova.exe")
        shutil.copyfile(exe, staged)
        os.utime(staged, (epoch, epoch))
        shutil.copyfile(info["icon"], Path(tmp, "kestrova.ico"))
        Path(tmp, "LICENSE.txt").write_bytes(license_text(info))
        shutil.copyfile(info["guide"], Path(tmp, GUIDE))
        for name in ("LICENSE.txt", GUIDE):
            os.utime(Path(tmp, name), (epoch, epoch))
        # The package code names these exact bytes.
        product = product_code(arch, version)
        inputs = hashlib.sha256()
        for part in (staged, Path(tmp, "kestrova.ico"), Path(tmp, "LICENSE.txt"), Path(tmp, GUIDE), wxs):
            inputs.update(part.read_bytes())
        publisher = [f"{key}={info[key.lower()]}" for key in ("Homepage", "Contact", "Update_URL")]
        inputs.update("\n".join(publisher).encode())
        package = uuid.uuid5(CODES, f"package {arch} {version} {inputs.hexdigest()} {epoch}")
        subprocess.run(["wixl", "-a", arch, "-D", f"Arch={arch}", "-o", str(out.resolve()),
                        "-D", f"ProductCode={product}", "-D", f"PackageCode={package}",
                        "-D", f"Version={version}", "-D", f"VersionText={info['version_text']}",
                        "-D", "Exe=kestrova.exe", "-D", "Icon=kestrova.ico", "-D", "License=LICENSE.txt",
                        "-D", f"Guide={GUIDE}",
                        *(arg for define in publisher for arg in ("-D", define)), str(wxs)],
                       check=True, cwd=tmp, env=dict(os.environ, TZ="UTC"))
    set_summary(out, package, (epoch + 11644473600) * 10_000_000)
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("kind", choices=("zip", "msi"))
    parser.add_argument("build")
    parser.add_argument("out")
    parser.add_argument("--exe")
    parser.add_argument("--version")
    args = parser.parse_args()
    info = json.loads(Path(args.build, "bundle.json").read_text())
    exe = args.exe or info["exe"]
    Path(args.out).mkdir(parents=True, exist_ok=True)
    if args.kind == "zip":
        made = make_zip(info, exe, args.out)
    else:
        made = make_msi(info, exe, args.out, args.version or info["version"])
    print(made)


if __name__ == "__main__":
    sys.exit(main())
