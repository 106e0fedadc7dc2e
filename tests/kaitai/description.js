// docs/prm.ksy as a second reader of parameter files: the parser Kaitai
// Struct generates from it, and a walk over the description that puts what it
// parsed into the form `prmtool show --json` prints, so the two compare key by
// key. The walk knows the description's value types, nothing of prmtool's code.
'use strict';
const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const yaml = require('js-yaml');

const ksyPath = path.join(__dirname, '..', '..', 'docs', 'prm.ksy');
const description = yaml.load(fs.readFileSync(ksyPath, 'utf8'));

// The parser generated from the description by the compiler's command line,
// which runs in a process of its own: it is large, and a process that has
// loaded it starts every other program slower. Compiled once a process, with
// what the compiler said about it; debug as its --debug.
const parsers = {};
function loadParser(debug = false) {
    return parsers[debug] ??= (() => {
        // Beside the runtime, which the parser requires.
        const outDir = fs.mkdtempSync(path.join(__dirname, 'node_modules', '.prm-parser-'));
        const compiler = path.join(__dirname, 'kaitai-struct-compiler');
        const run = spawnSync(process.execPath, [compiler, '-t', 'javascript', '-d', outDir, ...(debug ? ['--debug'] : []), ksyPath],
            { encoding: 'utf8' });
        const parser = path.join(outDir, 'Prm.js');
        const loaded = fs.existsSync(parser) && require(parser).Prm;
        fs.rmSync(outDir, { recursive: true, force: true });
        return { Prm: loaded, status: run.status, messages: run.stderr };
    })();
}

const camel = (id) => id.replace(/_([a-z0-9])/g, (_, c) => c.toUpperCase());
const hex = (n) => n.toString(16).toUpperCase().padStart(2, '0');
const enumNames = (name) =>
    Object.fromEntries(Object.entries(description.enums[name]).map(([code, v]) => [Number(code), v['-orig-id']]));

// Types that stand for one value of the catalogue, as prmtool shows it.
const valueOf = {
    string_field: (o) => o.text,
    mode_name: (o) => o.text,
    colorref: (o) => `#${o.top ? hex(o.top) : ''}${hex(o.r)}${hex(o.g)}${hex(o.b)}`,
    sprite_attribute_table: (o) => o.rows.map((row) => flatten(row, 'sprite_attribute_row')),
};

// The attributes of a type that carry a value: not the fixed pad bytes, nor
// the counts, which the texts and the rows they size already tell.
function valueAttrs(type) {
    const seq = description.types[type].seq;
    const counts = new Set(seq.flatMap((a) => [a.size, a['repeat-expr']]));
    return seq.filter((a) => !a.contents && !counts.has(a.id));
}

function flatten(obj, type, prefix = '', out = {}) {
    for (const attr of valueAttrs(type)) {
        const name = prefix + camel(attr.id);
        const put = (key, v) => {
            if (attr.type === 'u1') out[key] = attr.enum ? enumNames(attr.enum)[v] ?? v : v;
            else if (valueOf[attr.type]) out[key] = valueOf[attr.type](v);
            else flatten(v, attr.type, `${key}.`, out);
        };
        if (attr.repeat) obj[camel(attr.id)].forEach((v, i) => put(`${name}[${i}]`, v));
        else put(name, obj[camel(attr.id)]);
    }
    return out;
}

// The runtime decodes texts with TextDecoder's defaults, which drop a U+FEFF
// at the start as a byte-order mark; a name may begin with that character,
// and the field holds it like any other.
const KaitaiStream = require('kaitai-struct/KaitaiStream');
const decodeText = KaitaiStream.bytesToStr;
KaitaiStream.bytesToStr = (bytes, encoding) =>
    encoding === 'UTF-8' ? new TextDecoder('utf-8', { ignoreBOM: true }).decode(bytes) : decodeText(bytes, encoding);

// A file as the description reads it, in the form of `prmtool show --json`.
function readWithDescription(Prm, bytes) {
    const file = new Prm(new KaitaiStream(bytes));
    const out = flatten(file.baseBlock, 'base_block');
    out.advancedEnabled = file.advancedBlock !== undefined;
    if (out.advancedEnabled) flatten(file.advancedBlock, 'advanced_block', '', out);
    return out;
}

// The values a file can hold, by the description's types, drawn from rand
// (0 <= rand() < 1): the object `prmtool import` takes to write such a file.
function variedValues(rand, advanced) {
    const byte = () => Math.floor(rand() * 256);
    const pick = (items) => items[Math.floor(rand() * items.length)];
    // Characters of 1, 2, 3 and 4 bytes of UTF-8, quotes and a byte-order mark among them.
    const chars = ['a', 'Z', '7', ' ', '"', '\\', '*', 'é', 'ß', 'Ж', '武', '器', '魔', '道', '\uFEFF', '😀', '𠀀'];
    const text = () => {
        const budget = pick([0, 1, 4, 6, 12, 40, 255, Math.floor(rand() * 256)]);
        let s = '';
        for (let c = pick(chars); Buffer.byteLength(s + c) <= budget && s.length < 300; c = pick(chars)) s += c;
        return s;
    };
    const modes = description.types.mode_name.seq.find((a) => a.id === 'text').valid['any-of'].map((m) => JSON.parse(m));
    const generators = {
        u1: (attr) => (attr.enum ? pick(Object.values(enumNames(attr.enum))) : byte()),
        string_field: text,
        mode_name: () => pick(modes),
        colorref: () => `#${hex(byte())}${hex(byte())}${hex(byte())}`,
        sprite_attribute_table: () =>
            Array.from({ length: pick([0, 1, 3, 255, byte()]) }, () => generate('sprite_attribute_row', {})),
    };
    function generate(type, out, prefix = '') {
        for (const attr of valueAttrs(type)) {
            const put = (key) => {
                if (generators[attr.type]) out[key] = generators[attr.type](attr);
                else generate(attr.type, out, `${key}.`);
            };
            const name = prefix + camel(attr.id);
            if (attr.repeat) for (let i = 0; i < attr['repeat-expr']; ++i) put(`${name}[${i}]`);
            else put(name);
        }
        return out;
    }
    const values = generate('base_block', {});
    values.advancedEnabled = advanced;
    return advanced ? generate('advanced_block', values) : values;
}

module.exports = { loadParser, readWithDescription, variedValues };
