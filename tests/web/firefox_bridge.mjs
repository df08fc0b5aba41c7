// Firefox ESR for the page's tests, over WebDriver BiDi: one JSON request a
// line on standard input, one JSON answer a line on standard output, so
// that the tests, written in Python, drive Firefox as they drive the other
// engines.
//
//   node firefox_bridge.mjs '{"prefs": {...}, "watch": "script"}'
//
// Answers {"ready": version} once the browser runs, then for each request
// {"id", "cmd", ...} either {"id", "value"} or {"id", "error"}.
import readline from 'node:readline';
import puppeteer from 'puppeteer-core';

const options = JSON.parse(process.argv[2] || '{}');
const say = (answer) => process.stdout.write(JSON.stringify(answer) + '\n');

let browser, page;
let messages = [];
try {
  browser = await puppeteer.launch({
    browser: 'firefox',
    protocol: 'webDriverBiDi',
    executablePath: options.executable || '/usr/bin/firefox-esr',
    headless: true,
    // Headless, no window has the system's focus; this one behaves as a
    // user's focused window does, drawing focus rings.
    extraPrefsFirefox: {'focusmanager.testmode': true, ...options.prefs},
  });
  // A tab of its own, which gets the window's focus as a user's does; the
  // first, opened with the browser, does not.
  const first = await browser.pages();
  page = await browser.newPage();
  for (const p of first) await p.close();
  await page.bringToFront();
} catch (e) {
  say({error: 'Firefox did not start: ' + e.message});
  process.exit(1);
}
page.on('console', (m) => messages.push({type: m.type(), text: m.text()}));
page.on('pageerror', (e) => messages.push({type: 'error', text: String(e && e.message || e)}));
// Every violation of the page's policy, kept where the test can read it.
if (options.watch) await page.evaluateOnNewDocument(options.watch);

const KEYS = {Space: ' '};
const commands = {
  async viewport({width, height, ratio, mobile, touch}) {
    await page.setViewport({width, height, deviceScaleFactor: ratio, isMobile: mobile, hasTouch: touch});
  },
  async goto({url}) {
    messages = [];
    await page.goto(url);
  },
  async evaluate({body, args}) {
    return page.evaluate(`(function () { ${body}\n}).apply(null, ${JSON.stringify(args)})`);
  },
  async screenshot() {
    return page.screenshot({encoding: 'base64'});
  },
  async mouse({kind, x, y}) {
    if (kind === 'click') await page.mouse.click(x, y);
    else {
      await page.mouse.move(x, y);
      if (kind === 'down') await page.mouse.down();
      if (kind === 'up') await page.mouse.up();
    }
  },
  async tap({x, y}) {
    await page.touchscreen.tap(x, y);
  },
  async keys({keys}) {
    for (const key of keys) {
      const parts = key.split('+');
      const last = KEYS[parts.at(-1)] || parts.at(-1);
      for (const held of parts.slice(0, -1)) await page.keyboard.down(held);
      await page.keyboard.press(last);
      for (const held of parts.slice(0, -1).reverse()) await page.keyboard.up(held);
    }
  },
  async type({text}) {
    // Text as an input method gives it, a character at a time.
    for (const c of text) await page.keyboard.sendCharacter(c);
  },
  async console() {
    return messages;
  },
  // The elements Firefox's accessibility tree exposes with a role, and a
  // name if given, by their ids.
  async accessible({role, name}) {
    const found = await page.$$(`aria/${name || ''}[role="${role}"]`);
    return Promise.all(found.map((h) => h.evaluate((e) => e.id || e.closest('[id]')?.id || e.tagName)));
  },
  async version() {
    return browser.version();
  },
};

say({ready: await browser.version()});
const lines = readline.createInterface({input: process.stdin});
for await (const line of lines) {
  const request = JSON.parse(line);
  if (request.cmd === 'close') break;
  try {
    const value = await commands[request.cmd](request);
    say({id: request.id, value: value === undefined ? null : value});
  } catch (e) {
    say({id: request.id, error: String(e && e.message || e)});
  }
}
await browser.close();
