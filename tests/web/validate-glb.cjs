// Validates GLB files with the Khronos glTF validator: prints each file's
// size and the validator's counts and messages, and fails when any file has
// an error or a warning.
//   node validate-glb.cjs NODE_MODULES FILE.glb...
const fs = require('fs');
const path = require('path');
const validator = require(path.resolve(process.argv[2], 'gltf-validator'));

async function main() {
  let failed = false;
  for (const file of process.argv.slice(3)) {
    const bytes = new Uint8Array(fs.readFileSync(file));
    const report = await validator.validateBytes(bytes, { uri: path.basename(file), maxIssues: 100 });
    const issues = report.issues;
    console.log(`${path.basename(file)}: ${bytes.length} bytes, ${issues.numErrors} errors, ` +
                `${issues.numWarnings} warnings, ${issues.numInfos} infos, ${issues.numHints} hints`);
    for (const m of issues.messages)
      console.log(`  [${['error', 'warning', 'info', 'hint'][m.severity]}] ${m.code} ${m.pointer || ''}: ${m.message}`);
    failed ||= issues.numErrors > 0 || issues.numWarnings > 0;
  }
  process.exit(failed ? 1 : 0);
}
main().catch((e) => { console.error(e); process.exit(1); });
