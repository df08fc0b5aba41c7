#!/usr/bin/python3
"""Writes the winget manifests of one release, for a school's own winget
source or a submission to the community's: the version, the package's
description in Bulgarian (its default locale) and the installer, the MSI.

   winget.py BUILD_DIR MSI OUT_DIR

BUILD_DIR's bundle.json gives the id (the app id), the version and the
publisher's addresses; the installer's address is the download folder's
and the MSI's name. The codes are the ones bundle.py gives the MSI.
"""
import hashlib
import json
import re
import sys
from pathlib import Path

import bundle

MANIFEST_VERSION = "1.6.0"
LOCALE = "bg-BG"


def quoted(value):
    """A YAML scalar in single quotes, which keep everything but the quote."""
    return "'" + str(value).replace("'", "''") + "'"


def document(fields):
    lines = []
    for key, value in fields:
        if isinstance(value, list) and value and isinstance(value[0], dict):
            lines.append(f"{key}:")
            for item in value:
                first = True
                for k, v in item.items():
                    lines.append(("- " if first else "  ") + f"{k}: {quoted(v)}")
                    first = False
        elif isinstance(value, list):
            lines.append(f"{key}:")
            lines += [f"- {quoted(v)}" for v in value]
        else:
            lines.append(f"{key}: {quoted(value)}")
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    build, msi, out = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])
    info = json.loads((build / "bundle.json").read_text())
    wxs = (bundle.HERE / "kestrova.wxs").read_text(encoding="utf-8")
    upgrade = "{" + re.search(r'UpgradeCode="([0-9A-F-]+)"', wxs).group(1) + "}"
    manufacturer = re.search(r'<Product [^>]*Manufacturer="([^"]+)"', wxs).group(1)
    product = "{" + str(bundle.product_code(info["msi_arch"], info["version"])).upper() + "}"
    notice = next(line for line in Path(info["license"]).read_text(encoding="utf-8").splitlines()
                  if line.startswith("Copyright"))
    package = [("PackageIdentifier", info["app_id"]), ("PackageVersion", info["version"])]
    out.mkdir(parents=True, exist_ok=True)
    name = info["app_id"]
    (out / f"{name}.yaml").write_text(document(package + [
        ("DefaultLocale", LOCALE), ("ManifestType", "version"), ("ManifestVersion", MANIFEST_VERSION)]))
    (out / f"{name}.locale.{LOCALE}.yaml").write_text(document(package + [
        ("PackageLocale", LOCALE), ("Publisher", manufacturer), ("PublisherUrl", info["homepage"]),
        ("PublisherSupportUrl", info["homepage"]), ("PackageName", "Kestrova"), ("PackageUrl", info["homepage"]),
        ("License", "MIT"), ("Copyright", notice),
        ("ShortDescription", "Викторина за класната стая: мобилни телефони - фирми и страни"),
        ("Description", "Учениците избират фирма, която прави мобилни телефони, и страна и проверяват дали "
                        "това е родината на фирмата. Програмата не записва нищо и не ползва мрежата."),
        ("Tags", ["education", "quiz", "school", "викторина"]),
        ("ManifestType", "defaultLocale"), ("ManifestVersion", MANIFEST_VERSION)]), encoding="utf-8")
    (out / f"{name}.installer.yaml").write_text(document(package + [
        ("MinimumOSVersion", "6.0.0.0"), ("InstallerType", "msi"), ("Scope", "machine"),
        ("InstallModes", ["interactive", "silent", "silentWithProgress"]), ("UpgradeBehavior", "install"),
        ("ProductCode", product),
        ("AppsAndFeaturesEntries", [{"DisplayName": "Kestrova", "Publisher": manufacturer,
                                     "DisplayVersion": info["version"], "ProductCode": product,
                                     "UpgradeCode": upgrade}]),
        ("Installers", [{"Architecture": info["msi_arch"], "InstallerUrl": info["download_url"] + msi.name,
                         "InstallerSha256": hashlib.sha256(msi.read_bytes()).hexdigest().upper(),
                         "ProductCode": product}]),
        ("ManifestType", "installer"), ("ManifestVersion", MANIFEST_VERSION)]))
    print(out)


if __name__ == "__main__":
    main()
