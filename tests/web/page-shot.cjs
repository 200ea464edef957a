// Opens the index.html of each page folder in ROOT in Debian's chromium,
// served from 127.0.0.1, waits until its <model-viewer> has loaded and shows
// the model, and takes a screenshot, ROOT/<folder>.png. Fails on any console
// error, page error, failed request, or request that leaves the server.
//   node page-shot.cjs NODE_MODULES ROOT FOLDER...
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require(path.resolve(process.argv[2], 'puppeteer-core'));
const root = path.resolve(process.argv[3]);
const folders = process.argv.slice(4);

const types = { '.html': 'text/html', '.js': 'text/javascript', '.glb': 'model/gltf-binary', '.png': 'image/png' };

function serve() {
  const server = http.createServer((request, response) => {
    const file = path.join(root, path.normalize(decodeURIComponent(request.url.split('?')[0])));
    fs.readFile(file, (error, data) => {
      if (error || !file.startsWith(root + path.sep)) {
        response.writeHead(404);
        response.end();
        return;
      }
      response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
      response.end(data);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function main() {
  const server = await serve();
  const origin = `http://127.0.0.1:${server.address().port}`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'plenamar-chromium-'));
  const problems = [];
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`,
           '--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
  });
  try {
    for (const folder of folders) {
      const page = await browser.newPage();
      await page.setViewport({ width: 800, height: 800 });
      await page.setRequestInterception(true);
      page.on('request', (request) => {
        const url = request.url();
        if (url.startsWith(origin + '/') || url.startsWith('data:') || url.startsWith('blob:')) {
          request.continue();
        } else {
          problems.push(`${folder}: request beyond the page's server: ${url}`);
          request.abort();
        }
      });
      page.on('console', (message) => {
        if (message.type() === 'error')
          problems.push(`${folder}: console error: ${message.text()} ${JSON.stringify(message.location())}`);
      });
      page.on('pageerror', (error) => problems.push(`${folder}: page error: ${error.message}`));
      page.on('requestfailed', (request) => problems.push(`${folder}: failed request: ${request.url()}`));
      await page.goto(`${origin}/${folder}/index.html`, { waitUntil: 'load' });
      await page.waitForFunction(() => {
        const viewer = document.querySelector('model-viewer');
        return viewer && viewer.loaded && viewer.modelIsVisible;
      }, { timeout: 240000 });
      // A few frames for the model to be drawn, before it starts turning.
      await new Promise((resolve) => setTimeout(resolve, 1000));
      const screenshot = path.join(root, `${folder}.png`);
      await page.screenshot({ path: screenshot });
      console.log(`${folder}: the model loaded, screenshot ${screenshot}`);
      await page.close();
    }
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  for (const problem of problems)
    console.error(problem);
  process.exit(problems.length ? 1 : 0);
}
main().catch((e) => { console.error(e); process.exit(1); });
