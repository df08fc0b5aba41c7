#!/usr/bin/python3
"""Puts the same program, compiled to JavaScript, into the linked page, for
browsers that refuse WebAssembly (a content security policy they read
without 'wasm-unsafe-eval') or have none.

   add_javascript_program.py WASM_OPT WASM2JS JS_OPTIMIZER PAGE.html

The JavaScript comes from the page's own WebAssembly bytes, so the two
cannot differ. Its data segments are left out: the page copies them from
those bytes, which it holds anyway (that keeps the page in its budget).
PAGE.html is rewritten in place.
"""
import base64
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

wasm_opt, wasm2js, js_optimizer, page = sys.argv[1], sys.argv[2], sys.argv[3], Path(sys.argv[4])
MARK = "@PROGRAM_IN_JS@"
NAME = "kestrovaInJavaScript"


def once(pattern, text, what):
    found = re.findall(pattern, text)
    if len(found) != 1:
        sys.exit(f"{page}: {what} found {len(found)} times, not once")
    return found[0]


html = page.read_text(encoding="utf-8")
if html.count(MARK) != 1:
    sys.exit(f"{page}: no one place for the JavaScript program ({MARK})")
wasm = base64.b64decode(once(r'Module\["wasm"\]=base64Decode\("([A-Za-z0-9+/=]+)"\)', html, "the program's bytes"))

with tempfile.TemporaryDirectory() as work:
    work = Path(work)
    (work / "page.wasm").write_bytes(wasm)
    subprocess.run([wasm_opt, "--remove-memory", str(work / "page.wasm"), "-o", str(work / "code.wasm")], check=True)
    js = subprocess.run([wasm2js, "--emscripten", "-O", str(work / "code.wasm")],
                        check=True, capture_output=True, text=True).stdout
    # The shape the optimizer expects of wasm2js's output, as emcc gives it.
    js = js.replace("// EMSCRIPTEN_START_FUNCS;\n", "// EMSCRIPTEN_START_FUNCS\n")
    js = js.replace("// EMSCRIPTEN_END_FUNCS;\n", "// EMSCRIPTEN_END_FUNCS\n")
    js = js.replace("\n function $", "\nfunction $").replace("\n }", "\n}")
    js = f"// EMSCRIPTEN_START_ASM\n{js}// EMSCRIPTEN_END_ASM\n\n// EMSCRIPTEN_GENERATED_FUNCTIONS\n"
    (work / "program.js").write_text(js)
    subprocess.run([sys.executable, js_optimizer, str(work / "program.js"), "minifyNames", "minifyWhitespace", "last"],
                   check=True, cwd=work, env=dict(os.environ, EMCC_TEMP_DIR=str(work)))
    js = (work / "program.js.jsopt.js").read_text()

js = re.sub(r"^//[^\n]*\n", "", js, flags=re.M).strip()
once(r"^function instantiate\(", js, "wasm2js's instantiate")
if "base64DecodeToExistingUint8Array" in js or re.search(r'"[A-Za-z0-9+/]{64,}', js):
    sys.exit(f"{page}: the JavaScript program still carries its data")
js = js.replace("function instantiate(", f"function {NAME}(", 1)
page.write_text(html.replace(MARK, js), encoding="utf-8")
