// The page in headless Chromium, driven by Playwright through its real file
// input: for each file, in one page one after the other, the header it
// offers for download, its report and its console messages against the
// native programs' for the same file under the same name; its first view's
// silhouette against the OSMesa core profile's (web_check); Copy; a drag
// and the reset button; the canvas's size; and, over the whole run, no console
// error or warning and no request beyond the page's own files. Writes the
// page's screenshot and the figures (conversion and first-frame times) to
// the work folder.
//
// Usage: node web_test.mjs --npm NPM_FOLDER --url PAGE_URL --work FOLDER
//     --converter BAKE3DS --info BAKE3DS_INFO --check WEB_CHECK --corpus CORPUS
import { createHash } from 'node:crypto';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const args = {};
for (let i = 2; i + 1 < process.argv.length; i += 2)
    args[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
const { chromium } = createRequire(path.resolve(args.npm, 'package.json'))('playwright-core');

// The silhouette's size: the one the OSMesa reference draws.
const silhouetteWidth = 512, silhouetteHeight = 384;

const failures = [];
function check(condition, what) {
    if (!condition) {
        failures.push(what);
        console.log('FAIL: ' + what);
    }
    return condition;
}
const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');

// The corpus files of different kinds: textured (one with an upper-case
// extension), animated cameras, an animated object, many objects, and the
// largest; the corpus's expected outcomes hold their headers' hashes.
const corpusFiles = [
    'assimp-testmodels/cube_with_diffuse_texture.3DS', 'assimp-testmodels/test1.3ds',
    'assimp-testmodels/CameraRollAnimWithChildObject.3ds', 'assimp-testmodels/TargetCameraAnim.3ds',
    'assimp-testmodels/RotatingCube.3DS', 'gl-117-data/ship1.3ds', 'gl-117-data/gl-14.3ds',
    'gl-117-data/transp4.3ds', 'stormbaancoureur-data/coilspring.3ds', 'stormbaancoureur-data/terrain3.3ds'];

function expectedOutcomes() {
    const table = new Map();
    const file = path.join(args.corpus, 'expected-outcomes.txt');
    for (const line of fs.readFileSync(file, 'latin1').split('\n')) {
        const fields = line.trim().split(/\s+/);
        if (fields.length === 4 && !line.startsWith('#'))
            table.set(fields[3], { header: fields[0], stdout: fields[1], status: Number(fields[2]) });
    }
    return table;
}

// The command line's answer for the file under its own name, run in its
// own folder as `bake3ds NAME`, and bake3ds-info's report on it.
function nativeAnswer(file) {
    const folder = fs.mkdtempSync(path.join(args.work, 'native-'));
    const name = path.basename(file);
    fs.copyFileSync(file, path.join(folder, name));
    const started = process.hrtime.bigint();
    const run = spawnSync(args.converter, [name], { cwd: folder });
    const nativeMs = Number(process.hrtime.bigint() - started) / 1e6;
    const report = spawnSync(args.info, [name], { cwd: folder });
    const headerPath = path.join(folder, name.replace(/\.[^.]*$/, '') + '.h');
    const answer = {
        status: run.status, stdout: run.stdout, stderr: run.stderr, report: report.stdout, nativeMs,
        header: run.status === 0 ? fs.readFileSync(headerPath) : null
    };
    fs.rmSync(folder, { recursive: true });
    return answer;
}

// The text the page shows, as bytes: it shows each byte as one character.
async function shownBytes(page, selector) {
    const text = await page.locator(selector).textContent();
    return Buffer.from(text, 'latin1');
}

async function open(page, file, count) {
    await page.setInputFiles('#file', file);
    await page.waitForFunction((n) => window.bake3ds.opened === n, count, { timeout: 300000 });
}

const figures = [];

async function checkFile(page, file, count, label, outcome) {
    await open(page, file, count);
    const native = nativeAnswer(file);
    const name = path.basename(file);
    const times = await page.evaluate(() => ({ convertMs: window.bake3ds.convertMs, firstFrameMs: window.bake3ds.firstFrameMs }));
    figures.push(Object.assign({ label, bytes: fs.statSync(file).size, nativeMs: native.nativeMs }, times));
    check((await shownBytes(page, '#console .stdout')).equals(native.stdout), label + ': the console shows the command line\'s output');
    check((await shownBytes(page, '#console .stderr')).equals(native.stderr), label + ': the console shows the command line\'s errors');
    check((await shownBytes(page, '#report')).equals(native.report), label + ': the report is bake3ds-info\'s text');
    if (outcome)
        check(sha256(native.stdout) === outcome.stdout && native.status === outcome.status, label + ': the native run is the expected outcome');
    const download = page.locator('#download');
    if (native.status !== 0) {
        check(!(await download.isVisible()) && (await download.isDisabled()), label + ': a refused file offers no download');
        check((await page.locator('#header').textContent()) === '', label + ': a refused file shows no header');
        return native;
    }
    const [saved] = await Promise.all([page.waitForEvent('download'), download.click()]);
    const bytes = fs.readFileSync(await saved.path());
    check(saved.suggestedFilename() === name.replace(/\.[^.]*$/, '') + '.h', label + ': the download is named as the header');
    check(bytes.equals(native.header), label + ': the downloaded header is the command line\'s, byte for byte');
    if (outcome)
        check(sha256(bytes) === outcome.header, label + ': the downloaded header has the expected outcome\'s hash');
    const shown = await shownBytes(page, '#header');
    const head = native.header.subarray(0, 65536);
    check(shown.subarray(0, head.length).equals(head), label + ': the page shows the header\'s beginning');

    const runs = await page.evaluate(([w, h]) => window.bake3ds.silhouette(w, h), [silhouetteWidth, silhouetteHeight]);
    const runsFile = path.join(args.work, 'runs.txt');
    fs.writeFileSync(runsFile, runs + '\n');
    const judged = spawnSync(args.check, [file, runsFile], { stdio: 'inherit' });
    check(judged.status === 0, label + ': the page\'s silhouette matches the OSMesa core profile\'s');
    return native;
}

// A drag turns the scene, and the reset button brings back the very picture.
async function checkDragAndReset(page) {
    const before = await page.evaluate(() => window.bake3ds.picture());
    const box = await page.locator('#view').boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.down();
    await page.mouse.move(box.x + box.width / 2 + 80, box.y + box.height / 2 + 30, { steps: 5 });
    await page.mouse.up();
    const turned = await page.evaluate(() => window.bake3ds.picture());
    check(turned !== before, 'a drag changes the picture');
    await page.locator('#reset').click();
    const reset = await page.evaluate(() => window.bake3ds.picture());
    check(reset === before, 'the reset button restores the first picture exactly');
}

// "Copy" puts the whole header on the clipboard.
async function checkCopy(page, header) {
    await page.locator('#copy').click();
    await page.waitForFunction(() => /copied/.test(document.getElementById('status').textContent), null, { timeout: 5000 })
        .catch(() => {}); // judged below
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    check(Buffer.from(copied, 'latin1').equals(header), 'Copy puts the header on the clipboard');
}

// The drawing buffer follows the canvas's size on the screen.
async function checkResize(page) {
    const size = () => page.evaluate(() => {
        const c = document.getElementById('view');
        return [c.width, c.height, Math.round(c.clientWidth * devicePixelRatio), Math.round(c.clientHeight * devicePixelRatio)];
    });
    const wide = await size();
    await page.setViewportSize({ width: 800, height: 600 });
    await page.waitForFunction((w) => document.getElementById('view').width !== w, wide[0], { timeout: 5000 })
        .catch(() => {}); // judged below
    const narrow = await size();
    check(narrow[0] === narrow[2] && narrow[1] === narrow[3] && narrow.join() !== wide.join(),
        'the canvas follows the window: ' + wide.join(' ') + ' then ' + narrow.join(' '));
    await page.setViewportSize({ width: 1280, height: 900 });
}

const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    // --no-sandbox: Chromium's sandbox refuses to run as root, as in CI;
    // SwiftShader's WebGL 2 where there is no GPU
    args: ['--no-sandbox', '--disable-dev-shm-usage', '--use-angle=swiftshader', '--enable-unsafe-swiftshader']
});
try {
    const context = await browser.newContext({ acceptDownloads: true, viewport: { width: 1280, height: 900 },
        permissions: ['clipboard-read', 'clipboard-write'] });
    const page = await context.newPage();
    const origin = new URL(args.url).origin;
    const consoleErrors = [], foreignRequests = [];
    page.on('console', (message) => {
        // a warning too: WebGL reports misuse as warnings
        if (message.type() === 'error' || message.type() === 'warning')
            consoleErrors.push(message.type() + ': ' + message.text());
    });
    page.on('pageerror', (error) => consoleErrors.push('uncaught: ' + error.message));
    page.on('request', (request) => {
        const url = request.url();
        if (!(url.startsWith(origin + '/') || url.startsWith('blob:' + origin + '/') || url.startsWith('data:')))
            foreignRequests.push(url);
    });
    await page.goto(args.url);
    await page.waitForFunction(() => window.bake3ds && window.bake3ds.ready, null, { timeout: 60000 });

    const files = path.join(args.work, 'files');
    let count = 0;
    // first, a scene of many meshes shaped like real 2-3 MB files: the page's
    // first conversion is the one users wait for, every function of it still
    // to be compiled by the browser unless the page has seen to that
    await checkFile(page, path.join(files, 'meshes.3ds'), ++count, 'many meshes, the first file');
    const sample = await checkFile(page, path.join(files, 'sample.3ds'), ++count, 'the sample');
    await checkCopy(page, sample.header);
    await checkDragAndReset(page);
    await page.screenshot({ path: path.join(args.work, 'web-page.png') });

    // a file the converter refuses: the first adversarial one it refuses
    const adversarial = path.join(files, 'adversarial');
    const refused = fs.readdirSync(adversarial).filter((f) => f.endsWith('.3ds')).sort((a, b) => parseInt(a.slice(12)) - parseInt(b.slice(12)))
        .find((f) => nativeAnswer(path.join(adversarial, f)).status !== 0);
    if (check(refused !== undefined, 'an adversarial file is refused')) {
        await checkFile(page, path.join(adversarial, refused), ++count, 'the refused ' + refused);
        const report = await page.locator('#report').textContent();
        check(/^refused: .+$/m.test(report) && /^rule: [a-z_]+$/m.test(report), 'the refused file\'s report gives its reason and rule');
    }

    if (fs.existsSync(path.join(args.corpus, 'expected-outcomes.txt'))) {
        const outcomes = expectedOutcomes();
        for (const file of corpusFiles)
            await checkFile(page, path.join(args.corpus, file), ++count, file, outcomes.get(file));
    } else
        console.log('corpus files skipped: ' + args.corpus + ' is absent');

    // odd files, one after the other in the same page: a PNG under a .3ds
    // name, an empty file, the benchmark's 2 MB grid
    await checkFile(page, path.join(files, 'picture.3ds'), ++count, 'a PNG named .3ds');
    const empty = path.join(files, 'nothing.3ds');
    fs.writeFileSync(empty, '');
    await checkFile(page, empty, ++count, 'an empty file');
    await checkFile(page, path.join(files, 'grid.3ds'), ++count, 'the 2 MB grid');

    await checkResize(page);
    check(consoleErrors.length === 0, 'no console error or warning: ' + consoleErrors.join(' | '));
    check(foreignRequests.length === 0, 'no request beyond the page\'s own files: ' + foreignRequests.join(' '));
} finally {
    await browser.close();
}

console.log('figures (bytes; ms in the page: conversion, opening to first frame; ms native: the whole bake3ds run):');
for (const f of figures) {
    console.log(`  ${f.label}: ${f.bytes} bytes; page ${f.convertMs.toFixed(1)} ms, first frame ${f.firstFrameMs.toFixed(0)} ms; ` +
        `native ${f.nativeMs.toFixed(1)} ms`);
}
const first = figures.find((f) => f.label === 'many meshes, the first file');
if (first) {
    console.log(`the page's first conversion, ${first.bytes} bytes in 24 meshes: ${first.convertMs.toFixed(1)} ms in the page, ` +
        `${first.nativeMs.toFixed(1)} ms for the whole native bake3ds run (${(first.convertMs / first.nativeMs).toFixed(2)} times)`);
}
fs.writeFileSync(path.join(args.work, 'figures.json'), JSON.stringify(figures, null, 1));
if (failures.length) {
    console.log(`${failures.length} checks failed`);
    process.exit(1);
}
console.log('all checks passed');
