#!/usr/bin/env python3
"""The web page as a SCORM 1.2 package, which a learning platform (Moodle,
its phone app offline, and others) plays and records a score and completion
for: the manifest at the zip's root and the page as its one launched SCO,
with the report to the platform (scorm_report.js beside this) put into it.
The page alone carries none of it: it has no platform to report to.

    make_scorm.py PAGE VERSION OUT_ZIP

The same page and version give the same bytes: every entry is dated
SOURCE_DATE_EPOCH (the last commit's time in scripts/package), in name order.
"""
import os
import sys
import time
import zipfile
from pathlib import Path
from xml.sax.saxutils import escape

# How the package is named in the platform's table of contents: as the quiz
# is headed.
TITLE = "Мобилни телефони - фирми и страни"
LAUNCH = "kestrova.html"
REPORT = Path(__file__).resolve().with_name("scorm_report.js")

# ADL SCORM 1.2 Content Aggregation Model: IMS Content Packaging 1.1.2 with
# ADL's extensions; no mastery score, so the platform keeps the status the
# page reports instead of judging the score itself.
MANIFEST = """<?xml version="1.0" encoding="UTF-8"?>
<manifest identifier="kestrova-{version}" version="{version}"
          xmlns="http://www.imsproject.org/xsd/imscp_rootv1p1p2"
          xmlns:adlcp="http://www.adlnet.org/xsd/adlcp_rootv1p2"
          xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"
          xsi:schemaLocation="http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd
                              http://www.imsglobal.org/xsd/imsmd_rootv1p2p1 imsmd_rootv1p2p1.xsd
                              http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd">
  <metadata>
    <schema>ADL SCORM</schema>
    <schemaversion>1.2</schemaversion>
  </metadata>
  <organizations default="kestrova">
    <organization identifier="kestrova">
      <title>{title}</title>
      <item identifier="quiz" identifierref="page" isvisible="true">
        <title>{title}</title>
      </item>
    </organization>
  </organizations>
  <resources>
    <resource identifier="page" type="webcontent" adlcp:scormtype="sco" href="{launch}">
      <file href="{launch}"/>
    </resource>
  </resources>
</manifest>
"""


def with_report(page):
    """The page with the report in a script of its own at the end of its
    head, there before the program starts, which is after the first paint."""
    if page.count("</head>") != 1:
        sys.exit("make_scorm.py: the page has no one </head> to put the report before")
    return page.replace("</head>", "<script>\n" + REPORT.read_text(encoding="utf-8") + "</script>\n</head>").encode("utf-8")


def main(page, version, out_zip):
    if not version or any(c not in "0123456789." for c in version):
        sys.exit(f"make_scorm.py: a version such as 1.00, not {version!r}")
    if not Path(page).is_file():
        sys.exit(f"make_scorm.py: no page at {page}; make it with: cmake --preset web && cmake --build --preset web")
    manifest = MANIFEST.format(version=version, title=escape(TITLE), launch=LAUNCH)
    entries = {"imsmanifest.xml": manifest.encode("utf-8"), LAUNCH: with_report(Path(page).read_text(encoding="utf-8"))}
    # Zip times start in 1980.
    stamp = time.gmtime(max(int(os.environ.get("SOURCE_DATE_EPOCH", "0")), 315532800))[:6]
    # Whole or not at all: a release never hands out half a package.
    partial = Path(str(out_zip) + ".partial")
    with zipfile.ZipFile(partial, "w") as package:
        for name, data in sorted(entries.items()):
            entry = zipfile.ZipInfo(name, stamp)
            entry.create_system = 3  # Unix, so that the mode below means what it says
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            package.writestr(entry, data, compresslevel=9)
    partial.replace(out_zip)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip())
    main(*sys.argv[1:])
