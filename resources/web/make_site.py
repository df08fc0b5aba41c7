#!/usr/bin/python3
"""Makes the release's web site: static files in Bulgarian that a school or
the project puts on any web server as they are. A first page for the
teacher (what the quiz is, the button that opens it, the downloads with
their size and SHA-256, the guide, the pictures, the licence) and the quiz
itself at the stable path viktorina/, installable as an app that works
offline.

   make_site.py --page KESTROVA_HTML --version 1.00 --out SITE --guide GUIDE DOWNLOAD...

GUIDE is the teachers' guide as the downloads carry it, one HTML page
(za-uchitelya.html). The same inputs give the same bytes.
"""
import argparse
import base64
import hashlib
import html
import json
import re
import shutil
import struct
import sys
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE / "resources"))
import xpm_convert  # noqa: E402

# The window's own background colour: the installed app's title bar and
# splash screen wear it.
WINDOW_COLOUR = "#c0c0ff"
QUIZ = "viktorina/"
DOWNLOADS = "download/"
# What each download is for, by how its name ends.
KINDS = [
    ("-windows.msi", "Windows, инсталиран за цялата училищна мрежа: MSI пакет за Intune, групови правила, "
                     "winget и msiexec. Поставя Kestrova в Program Files и в менюто „Старт“."),
    ("-windows.zip", "Windows без инсталиране: разархивирайте в която и да е папка, включително на "
                     "флашка, и стартирайте kestrova.exe. Не са нужни права на администратор."),
    (".deb", "Linux (Debian, Ubuntu): пакет, който поставя Kestrova в менюто с образователни програми."),
    ("kestrova.html", "Цялата викторина в един файл: отваря се във всеки браузър, включително от флашка и без интернет."),
    ("-scorm12.zip", "Пакет SCORM 1.2 за учебна платформа (Moodle и други), която показва викторината "
                     "и записва резултата на ученика."),
]
PICTURES = [
    ("kestrova-phone.png", "Викторината на телефон, 360 × 780, след верен отговор"),
    ("kestrova-whiteboard.png", "Викторината на интерактивна дъска, 1920 × 1080, в половин размер"),
    ("kestrova-windows.png", "Kestrova в Windows"),
    ("kestrova-linux.png", "Kestrova в Linux след верен отговор"),
]

STYLE = """\
html { font-family: system-ui, sans-serif; line-height: 1.5; color: #111; background: #fff; }
body { margin: 0; font-size: clamp(1rem, 0.8rem + 0.6vw, 1.5rem); }
header { background: %(colour)s; padding: 1em 1rem 1.5em; }
.column, main { max-width: 46em; margin-left: auto; margin-right: auto; }
main { padding: 0 1rem 2em; }
h1 { margin-top: 0; margin-bottom: 0.2em; font-size: 2em; }
h2 { margin-top: 1.6em; }
a { color: #0b3d91; }
a:focus-visible { outline: 3px solid #000; outline-offset: 3px; }
.open { display: inline-block; margin: 0.5em 0; padding: 0.6em 1em; min-height: 44px; box-sizing: border-box;
        font-size: 1.4em; font-weight: bold; color: #fff; background: #0b3d91; border-radius: 0.3em;
        text-decoration: none; }
.open:hover { background: #072a66; }
.open:focus-visible { outline: 4px solid #000; outline-offset: 3px; }
.address { overflow-wrap: anywhere; }
ul.files { list-style: none; padding: 0; }
ul.files li { margin: 0 0 1.2em; padding: 0.6em 0.8em; border-left: 0.3em solid %(colour)s; }
ul.files a { font-weight: bold; overflow-wrap: anywhere; }
code { font-size: 0.85em; overflow-wrap: anywhere; }
figure { margin: 1em 0; }
img { max-width: 100%%; height: auto; border: 1px solid #888; }
footer { max-width: 46em; margin: 0 auto; padding: 1em 1rem 2em; color: #333; }
"""

# The first page shows the quiz's full address for the teacher to hand
# out; both pages register the worker that keeps the site offline (not
# from a file:, where there is none).
REGISTER = ('if ("serviceWorker" in navigator && location.protocol !== "file:") '
            'navigator.serviceWorker.register("%s");')
SHOW_ADDRESS = ('document.getElementById("address").textContent = new URL("%s", location.href).href;' % QUIZ)

WORKER = """\
// Keeps the site's pages and the quiz for offline use, one release at a
// time: the cache is named after everything in it, so a new release is a
// new worker that fetches all of its files before it replaces the old one
// and its cache. While the network answers, every page comes from it,
// checked with the server, so a page of one release never meets another's.
const RELEASE = %(release)s;
const FILES = %(files)s;
const DOWNLOADS = new URL(%(downloads)s, self.registration.scope).pathname;

self.addEventListener("install", event => {
  event.waitUntil(caches.open(RELEASE)
    .then(cache => cache.addAll(FILES.map(file => new Request(file, {cache: "reload"}))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", event => {
  event.waitUntil(caches.keys()
    .then(names => Promise.all(names.filter(name => name !== RELEASE).map(name => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", event => {
  const url = new URL(event.request.url);
  // The downloads go straight to the network, as without a worker.
  if (event.request.method !== "GET" || url.origin !== location.origin || url.pathname.startsWith(DOWNLOADS)) {
    return;
  }
  event.respondWith(fetch(event.request, {cache: "no-cache"}).catch(() =>
    caches.open(RELEASE)
      .then(cache => cache.match(event.request, {ignoreSearch: true}))
      .then(found => found || Response.error())));
});
"""


def script_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def size_text(size):
    """As a Bulgarian reader writes it: a decimal comma, КБ and МБ."""
    if size < 1024 * 1024:
        return f"{max(1, round(size / 1024))}\u00a0КБ"
    return f"{size / 1024 / 1024:.1f}\u00a0МБ".replace(".", ",")


def png_size(data):
    return struct.unpack(">II", data[16:24])


def icons():
    """The app's icons: the program's own at 192 and 512 px, and maskable
    ones, the icon within the middle 80 per cent on the window's colour,
    which a home screen may crop to any shape."""
    image = xpm_convert.read_xpm(SOURCE / "resources" / "kestrova.xpm")
    made = {}
    for size in (192, 512):
        made[f"icons/kestrova-{size}.png"] = xpm_convert.png(*xpm_convert.resize(*image, size))
        width, _, colours, rows = xpm_convert.resize(*image, size // 2)
        back = "\x01"
        colours = dict(colours, **{back: tuple(int(WINDOW_COLOUR[i:i + 2], 16) for i in (1, 3, 5))})
        rows = ["".join(back if colours[ch] is None else ch for ch in row) for row in rows]
        margin = (size - width) // 2
        full = [back * size] * margin + [back * margin + row + back * (size - margin - width) for row in rows]
        full += [back * size] * (size - len(full))
        made[f"icons/kestrova-maskable-{size}.png"] = xpm_convert.png(size, size, colours, full)
    return made


def manifest(made):
    """The quiz as an app, in Bulgarian. Its icons are inline, as the page's
    own is, so that its policy lets in no image from anywhere."""
    def icon(size, purpose):
        name = f"icons/kestrova-{'maskable-' if purpose == 'maskable' else ''}{size}.png"
        return {"src": "data:image/png;base64," + base64.b64encode(made[name]).decode(), "sizes": f"{size}x{size}",
                "type": "image/png", "purpose": purpose}
    icons_ = [icon(size, purpose) for purpose in ("any", "maskable") for size in (192, 512)]
    return json.dumps({
        "id": "./", "name": "Kestrova: мобилни телефони - фирми и страни", "short_name": "Kestrova",
        "description": "Викторина за класната стая: коя фирма за мобилни телефони от коя страна е",
        "lang": "bg", "dir": "ltr", "start_url": "./", "scope": "./", "display": "standalone",
        "theme_color": WINDOW_COLOUR, "background_color": WINDOW_COLOUR, "categories": ["education"],
        "icons": icons_}, ensure_ascii=False, indent=2) + "\n"


def quiz_page(page):
    """The standalone page, which connects nowhere, with what the site's
    copy adds: its manifest, its colour and the worker's registration; its
    policy allows those two from the site and nothing more."""
    text = Path(page).read_text(encoding="utf-8")
    policy = re.compile(r'(<meta http-equiv="Content-Security-Policy" content=")([^"]*)(">)')
    if len(policy.findall(text)) != 1:
        raise SystemExit(f"{page}: not one content security policy")
    text = policy.sub(lambda m: m.group(1) + m.group(2) + "; manifest-src 'self'; worker-src 'self'" + m.group(3),
                      text)
    added = (f'<link rel="manifest" href="manifest.webmanifest">\n<meta name="theme-color" content="{WINDOW_COLOUR}">\n'
             f"<script>{REGISTER % '../sw.js'}</script>\n")
    if text.count("</head>") != 1:
        raise SystemExit(f"{page}: not one </head>")
    return text.replace("</head>", added + "</head>")


def first_page(version, downloads, guide_name, pictures):
    script = SHOW_ADDRESS + "\n" + REGISTER % "sw.js"
    policy = (f"default-src 'none'; style-src 'self'; img-src 'self'; script-src {script_hash(script)}; "
              "worker-src 'self'; base-uri 'none'; form-action 'none'")
    e = html.escape
    files = []
    for path in downloads:
        name = path.name
        what = next((text for end, text in KINDS if name.endswith(end)), "")
        data = path.read_bytes()
        files.append(f'<li><a href="{DOWNLOADS}{e(name)}">{e(name)}</a>, {size_text(len(data))}<br>\n'
                     f"{e(what)}<br>\nSHA-256: <code>{hashlib.sha256(data).hexdigest()}</code></li>")
    figures = []
    for name, alt, (width, height) in pictures:
        figures.append(f'<figure><a href="pictures/{name}"><img src="pictures/{name}" alt="{e(alt)}" '
                       f'width="{width // 2}" height="{height // 2}"></a>\n<figcaption>{e(alt)}</figcaption></figure>')
    guide = (f'<p><a href="{guide_name}">Кратко ръководство за учителя</a>: как да занесете викторината на '
             "компютрите в кабинета, на флашка, в учебна платформа или на телефон.</p>")
    return f"""<!doctype html>
<html lang="bg">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta http-equiv="Content-Security-Policy" content="{policy}">
<meta name="description" content="Kestrova: викторина за класната стая. Отваря се в браузъра или се изтегля.">
<title>Kestrova: викторина за класната стая</title>
<link rel="icon" type="image/png" sizes="192x192" href="icons/kestrova-192.png">
<link rel="stylesheet" href="site.css">
</head>
<body>
<header>
<div class="column">
<h1>Kestrova</h1>
<p>Мобилни телефони: фирми и страни. Ученикът избира фирма и страна и натиска „Изведи“; викторината казва дали
фирмата е от тази страна, а при верен отговор описва фирмата. Работи в браузъра на компютър, таблет, телефон и
интерактивна дъска, не записва нищо и не се свързва никъде.</p>
<p><a class="open" href="{QUIZ}">Отвори викторината</a></p>
<p>Дайте на класа този адрес (в Teams, Google Classroom или на дъската):<br>
<strong class="address" id="address">{QUIZ}</strong></p>
</div>
</header>
<main>
<h2>В клас</h2>
<p>Публикувайте адреса като връзка, а не файла: Teams изтегля качения файл, вместо да го покаже, а Google Classroom
го показва само за преглед. На iPad, таблет или телефон викторината се отваря направо от адреса. Добавена към началния екран, тя
се отваря като приложение и работи и без интернет.</p>
{guide}
<h2>Изтегляне</h2>
<p>Версия {e(version)}. Всеки файл може да се провери по неговата контролна сума SHA-256 (всички са във файла
<a href="{DOWNLOADS}SHA256SUMS">SHA256SUMS</a>).</p>
<ul class="files">
{chr(10).join(files)}
</ul>
<h2>За училищния администратор</h2>
<p>Ако програмата за Windows не е подписана, при първото стартиране Windows може да покаже
„Windows защити компютъра ви“: под предупреждението има връзка с повече информация, а след нея бутон за
стартиране. MSI пакетът инсталира Kestrova в Program Files, откъдето AppLocker обикновено разрешава програми.
Училище с удостоверение за подписване на код може да подпише своето копие.</p>
<h2>Снимки</h2>
{chr(10).join(figures)}
<h2>Лиценз</h2>
<p>Kestrova е свободен софтуер с <a href="LICENSE.txt">лиценз MIT</a>: училището може да я копира на всеки
компютър, да я дава на други и да я променя, като запази бележката за авторското право.</p>
</main>
<footer>
<p>Kestrova {e(version)}</p>
</footer>
<script>{script}</script>
</body>
</html>
"""


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--page", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--guide", required=True)
    parser.add_argument("downloads", nargs="*")
    args = parser.parse_args()
    out = Path(args.out)
    if out.exists():
        shutil.rmtree(out)
    files = {}  # the site's own pages and pictures, which the worker keeps

    files["site.css"] = (STYLE % {"colour": WINDOW_COLOUR}).encode()
    app_icons = icons()
    files["icons/kestrova-192.png"] = app_icons["icons/kestrova-192.png"]  # the first page's tab
    files[QUIZ + "index.html"] = quiz_page(args.page).encode()
    files[QUIZ + "manifest.webmanifest"] = manifest(app_icons).encode()
    pictures = []
    for name, alt in PICTURES:
        data = (SOURCE / "docs" / name).read_bytes()
        files["pictures/" + name] = data
        pictures.append((name, alt, png_size(data)))
    files["LICENSE.txt"] = (SOURCE / "LICENSE").read_bytes()
    guide_name = "za-uchitelya.html"
    files[guide_name] = Path(args.guide).read_bytes()
    downloads = sorted(Path(d) for d in args.downloads)
    files["index.html"] = first_page(args.version, downloads, guide_name, pictures).encode()

    release = hashlib.sha256()
    for name in sorted(files):
        release.update(name.encode() + b"\0" + files[name] + b"\0")
    # The addresses a visitor opens: the folders as well as their index pages.
    kept = sorted(files) + ["./", QUIZ]
    files["sw.js"] = (WORKER % {"release": json.dumps(f"kestrova-{args.version}-{release.hexdigest()[:16]}"),
                                "files": json.dumps(kept, indent=2), "downloads": json.dumps(DOWNLOADS)}).encode()

    sums = []
    for path in downloads:
        data = path.read_bytes()
        files[DOWNLOADS + path.name] = data
        sums.append(f"{hashlib.sha256(data).hexdigest()}  {path.name}\n")
    files[DOWNLOADS + "SHA256SUMS"] = "".join(sums).encode()

    for name, data in files.items():
        target = out / name
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
    print(out)


if __name__ == "__main__":
    main()
