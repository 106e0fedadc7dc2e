// docs/prm.ksy against prmtool: every field of the start-up files, of files
// of varied values and of damaged ones, read once by the parser generated from
// the description and once by `prmtool show --json`.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFile, spawnSync } = require('child_process');
const { loadParser, readWithDescription, variedValues } = require('./description');

const prmtoolPath = process.env.PRMTOOL ||
    path.join(__dirname, '..', '..', 'build-native', 'tools', 'prmtool', 'prmtool');
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'prm-ksy-'));
test.after(() => fs.rmSync(dir, { recursive: true, force: true }));

// prmtool's exit status and output: a status other than 0 is an answer, not an error.
const prmtool = (...args) => new Promise((resolve) => execFile(prmtoolPath, args, (error, stdout, stderr) =>
    resolve({ status: error ? error.code : 0, stdout, stderr })));
async function show(file) {
    const run = await prmtool('show', '--json', file);
    return run.status === 0 ? JSON.parse(run.stdout) : null;
}
// prmtool check's verdict: null when well-formed, else the field it names and why.
async function check(file) {
    const run = await prmtool('check', file);
    if (run.status === 0) return null;
    const [, field, problem] = /^.*?: (\S+) at offset \d+: (.*)$/.exec(run.stdout.trim()) ?? [];
    assert.ok(field, `prmtool check ${file}: ${run.stdout}${run.stderr}`);
    return { field, problem };
}
// Runs work(item) for every item, two at a time: prmtool's runs wait on the disk more than on a core.
async function eachOf(items, work) {
    let next = 0;
    let failure;
    const worker = async () => {
        while (next < items.length && !failure) await work(items[next++]).catch((e) => { failure ??= e; });
    };
    await Promise.all([worker(), worker()]);
    if (failure) throw failure;
}
// The keys whose values differ, either missing included, in file order.
function differences(a, b) {
    const keys = [...new Set([...Object.keys(b), ...Object.keys(a)])];
    return keys.filter((k) => JSON.stringify(a[k]) !== JSON.stringify(b[k]));
}
function random(seed) {  // mulberry32: the same files on every run
    return () => {
        seed = (seed + 0x6D2B79F5) | 0;
        let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
        t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

// A well-formed file: the description reads it without complaint, and every
// value and key, in file order, as prmtool does.
async function agreeOn(Prm, file) {
    assert.strictEqual(await check(file), null, `${file} is well-formed`);
    const described = readWithDescription(Prm, fs.readFileSync(file));
    const shown = await show(file);
    assert.deepStrictEqual(Object.keys(described), Object.keys(shown), `${file}: keys in file order`);
    assert.deepStrictEqual(described, shown, `${file}: values`);
    return described;
}

test('the description compiles without a warning', () => {
    const { status, messages } = loadParser();
    assert.strictEqual(messages, '');
    assert.strictEqual(status, 0);
    // The compiler reports warnings at all: a count named other than as the style asks is one.
    const styled = path.join(dir, 'styled.ksy');
    fs.writeFileSync(styled, 'meta: {id: styled}\nseq:\n  - {id: count, type: u1}\n  - {id: body, size: count}\n');
    const run = spawnSync(process.execPath, [path.join(__dirname, 'kaitai-struct-compiler'), '-t', 'javascript', '-d', dir, styled],
        { encoding: 'utf8' });
    assert.match(run.stderr, /warning: use `len_body` instead of `count`/);
    assert.strictEqual(run.status, 1);
});

test('the start-up files, 118 and 170 bytes', async () => {
    const { Prm } = loadParser();
    for (const [flags, size] of [[[], 118], [['--advanced'], 170]]) {
        const file = path.join(dir, `start-up-${size}.prm`);
        assert.strictEqual((await prmtool('new', ...flags, file)).status, 0);
        assert.strictEqual(fs.statSync(file).size, size);
        assert.strictEqual((await agreeOn(Prm, file)).advancedEnabled, size === 170);
    }
});

const variedCount = 300;
const variedFile = (n) => path.join(dir, `varied-${n}.prm`);

test(`${variedCount} files of varied values, written by prmtool import`, async () => {
    const { Prm } = loadParser();
    const rand = random(29);
    const varied = Array.from({ length: variedCount }, (_, n) => ({ n, values: variedValues(rand, n % 3 !== 0) }));
    await eachOf(varied, async ({ n, values }) => {
        const json = path.join(dir, `varied-${n}.json`);
        fs.writeFileSync(json, JSON.stringify(values));
        const run = await prmtool('import', json, variedFile(n));
        assert.strictEqual(run.status, 0, run.stderr);
        // What the description reads back is what was written.
        assert.deepStrictEqual(await agreeOn(Prm, variedFile(n)), values);
    });
});

// Damage of every kind a file can have, each at a field found by the
// description's own offsets, a few of each on varied files. A varied file
// without the field (no rows, an empty text) is passed over.
class NoSuchField extends Error {}
const field = (f) => { if (f === undefined) throw new NoSuchField(); return f; };
const textStart = (s) => { if (!s.lenText) throw new NoSuchField(); return s._debug.text.start; };
const damages = {
    'use portrait beyond 1': (f, b, r) => { b[f.baseBlock._debug.usePortrait.start] = 2 + r(254); },
    'pad byte not 0': (f, b, r) => { b[f.baseBlock._debug.padBeforeCursorColor.start] = 1 + r(255); },
    'count above 255': (f, b, r) => { b[f.baseBlock.attributeName[r(3)]._debug.lenText.start] = 1 + r(255); },
    'unknown mode name': (f, b, r) => { b[textStart(f.baseBlock.heroAnimationMode) + r(5)] = 0x30 + r(10); },
    'text not UTF-8': (f, b, r) => { b[textStart(f.baseBlock.equipSlotName[0])] = 0x80 + r(128); },
    'zero byte in a text': (f, b) => { b[textStart(f.baseBlock.equipSlotName[4])] = 0; },
    'colour top byte': (f, b, r) => { b[field(f.advancedBlock).menuTextColor._debug.top.start] = 1 + r(255); },
    'unknown category': (f, b, r) => {
        b[field(field(f.advancedBlock).spriteAttributeTable.rows[0])._debug.category.start] = 2 + r(254);
    },
    'bytes after the last field': (f, b, r) => Buffer.concat([b, Buffer.alloc(1 + r(4), r(256))]),
    'cut short': (f, b, r) => b.subarray(0, r(b.length)),
    'any byte changed': (f, b, r) => { b[r(b.length)] = r(256); },
};

test('damaged files: where prmtool check refuses one, the description fails to read it or differs there', async (t) => {
    const { Prm } = loadParser();
    const { Prm: Located } = loadParser(true);
    const KaitaiStream = require('kaitai-struct/KaitaiStream');
    const rand = random(2029);
    const r = (n) => Math.floor(rand() * n);
    const failures = {};
    const damaged = [];
    for (const [kind, damage] of Object.entries(damages)) {
        for (let made = 0, n = 0; made < 12 && fs.existsSync(variedFile(n)); ++n) {
            const bytes = fs.readFileSync(variedFile(n));
            const located = new Located(new KaitaiStream(bytes));
            located._read();
            try {
                const file = path.join(dir, `damaged-${kind.replace(/ /g, '-')}-${made}.prm`);
                fs.writeFileSync(file, damage(located, bytes, r) ?? bytes);
                damaged.push({ kind, file });
                ++made;
            } catch (e) {
                if (!(e instanceof NoSuchField)) throw e;
            }
        }
    }
    let refused = 0;
    await eachOf(damaged, async ({ kind, file }) => {
        const verdict = await check(file);
        if (!verdict) return void await agreeOn(Prm, file);
        ++refused;
        let described;
        try { described = readWithDescription(Prm, fs.readFileSync(file)); } catch (e) {
            assert.ok(e instanceof KaitaiStream.EOFError || /^Validation/.test(e.name), e.stack);
            failures[e.name] = (failures[e.name] ?? 0) + 1;
            return;
        }
        const shown = await show(file);
        assert.ok(shown, `${file} (${kind}): the description reads what prmtool show refuses: ${verdict.problem}`);
        const differ = differences(described, shown);
        if (differ.some((k) => verdict.field === k || verdict.field.startsWith(`${k}[`))) return;
        // The description cannot say that a text is UTF-8, and where each bad byte stands alone both readers show it as U+FFFD.
        assert.strictEqual(verdict.problem, 'string is not valid UTF-8',
            `${file} (${kind}): prmtool check refuses ${verdict.field} (${verdict.problem}); ` +
            `the description reads it and differs in [${differ}]`);
        t.diagnostic(`${path.basename(file)}: both read ${verdict.field} alike, as U+FFFD for its bad bytes; ` +
            'only prmtool check refuses it: the description cannot require UTF-8');
    });
    t.diagnostic(`${damaged.length} damaged files, ${refused} refused by prmtool check; the description failed on them with ${JSON.stringify(failures)}`);
    assert.ok(refused > damaged.length / 2);
});
