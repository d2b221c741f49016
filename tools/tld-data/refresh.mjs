#!/usr/bin/env node
// Rebuilds resources/tld/tlds.tsv and resources/tld/wholist.txt from the
// pinned whoisserver-world data plus overrides.json.
//
//   npm ci && node refresh.mjs            write the snapshot
//   node refresh.mjs --whois-only         wholist.txt names port-43 servers only
//   node refresh.mjs --check              fail when the committed files differ
//   node refresh.mjs --out DIR            write somewhere else
//
// Only the package's data file is read, never its code.

import { readFileSync, writeFileSync, mkdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const require = createRequire(import.meta.url);
const kMaxSamples = 3;

const LABEL = '[a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?';
const reLabel = new RegExp(`^${LABEL}$`);
const reHost = new RegExp(`^${LABEL}(?:\\.${LABEL})+$`);
const reUrl = /^https?:\/\/[A-Za-z0-9.-]+(?::[0-9]{1,5})?\/[\x21-\x7e]*$/;

// The source's kinds, as the root-zone database names them.
const kKinds = new Map([
    ['generic', 'generic'],
    ['cctld', 'country-code'],
    ['country-code', 'country-code'],
    ['sponsored', 'sponsored'],
    ['restricted-generic', 'generic-restricted'],
    ['generic-restricted', 'generic-restricted'],
    ['infrastructure', 'infrastructure'],
    ['test', 'test'],
]);

function parseArgs(argv) {
    const opts = { rdap: true, check: false, out: resolve(here, '../../resources/tld') };
    for (let i = 0; i < argv.length; ++i) {
        const a = argv[i];
        if (a === '--whois-only') opts.rdap = false;
        else if (a === '--check') opts.check = true;
        else if (a === '--out' && i + 1 < argv.length) opts.out = resolve(argv[++i]);
        else throw new Error(`unknown argument: ${a} (use --whois-only, --check, --out DIR)`);
    }
    return opts;
}

function readJson(path) {
    try {
        return JSON.parse(readFileSync(path, 'utf8'));
    } catch (err) {
        throw new Error(`${path}: ${err.message}`);
    }
}

function loadSource() {
    const pkgPath = require.resolve('whoisserver-world/package.json');
    const pkg = readJson(pkgPath);
    const data = readJson(join(dirname(pkgPath), 'whoisservers.json'));
    if (typeof data !== 'object' || data === null || Array.isArray(data))
        throw new Error('whoisservers.json: not an object keyed by TLD');
    return { version: pkg.version, data };
}

function whoisOf(entry) {
    const hosts = Array.isArray(entry.whoisServer) ? entry.whoisServer : [];
    return hosts.map((h) => String(h).trim().toLowerCase()).find((h) => reHost.test(h)) ?? '';
}

// The source gives query prefixes (base + "domain/"); the snapshot keeps the
// bases, https first, as RDAP clients add the path themselves.
function rdapOf(entry) {
    const urls = Array.isArray(entry.rdapServers) ? entry.rdapServers : [];
    const bases = [];
    for (const raw of urls) {
        let url = String(raw).trim();
        if (!url.endsWith('/')) url += '/';
        url = url.replace(/domain\/$/, '');
        if (reUrl.test(url) && !bases.includes(url)) bases.push(url);
    }
    const https = bases.filter((u) => u.startsWith('https://'));
    return [...https, ...bases.filter((u) => !u.startsWith('https://'))];
}

// Names directly under the TLD only (shop.uk, not shop.co.uk); nic.TLD first
// when listed, as registries keep it for good.
function samplesOf(tld, entry) {
    const listed = entry.sampleDomains && Array.isArray(entry.sampleDomains[tld]) ? entry.sampleDomains[tld] : [];
    const names = [];
    for (const raw of listed) {
        const name = String(raw).trim().toLowerCase();
        const dot = name.indexOf('.');
        if (dot < 0 || name.slice(dot + 1) !== tld || !reLabel.test(name.slice(0, dot))) continue;
        if (!names.includes(name)) names.push(name);
    }
    const nic = `nic.${tld}`;
    const ordered = names.includes(nic) ? [nic, ...names.filter((n) => n !== nic)] : names;
    return ordered.slice(0, kMaxSamples);
}

function kindOf(tld, raw) {
    const kind = kKinds.get(String(raw ?? '').trim().toLowerCase());
    if (!kind) throw new Error(`${tld}: unknown kind "${raw}"`);
    return kind;
}

function buildRows(data) {
    const rows = new Map();
    for (const [key, entry] of Object.entries(data)) {
        const tld = key.trim().toLowerCase();
        if (!reLabel.test(tld) || /^[0-9]+$/.test(tld))
            throw new Error(`source: "${key}" is not an ASCII TLD label`);
        if (rows.has(tld)) throw new Error(`source: ${tld} is listed twice`);
        rows.set(tld, {
            tld,
            whois: whoisOf(entry),
            rdap: rdapOf(entry),
            samples: samplesOf(tld, entry),
            kind: kindOf(tld, entry.type),
        });
    }
    return rows;
}

function applyOverrides(rows, overrides) {
    const known = new Set(['whois', 'rdap', 'samples', 'kind', 'since', 'why']);
    for (const [tld, change] of Object.entries(overrides.tlds ?? {})) {
        const row = rows.get(tld);
        if (!row) throw new Error(`overrides.json: ${tld} is not in the source; remove or fix it`);
        for (const field of Object.keys(change))
            if (!known.has(field)) throw new Error(`overrides.json: ${tld}: unknown field "${field}"`);
        const before = JSON.stringify(row);
        if ('whois' in change) {
            const host = String(change.whois).trim().toLowerCase();
            if (host !== '' && !reHost.test(host)) throw new Error(`overrides.json: ${tld}: bad whois host "${host}"`);
            row.whois = host;
        }
        if ('rdap' in change) row.rdap = rdapOf({ rdapServers: change.rdap });
        if ('samples' in change) row.samples = samplesOf(tld, { sampleDomains: { [tld]: change.samples } });
        if ('kind' in change) row.kind = kindOf(tld, change.kind);
        if (JSON.stringify(row) === before)
            console.warn(`note: the override of ${tld} changes nothing any more; it can go`);
    }
}

function tsvText(rows, version, dataDate) {
    const head = [
        '# Delegated top-level domains, one a row; tab-separated columns:',
        '#   tld      lower-case ASCII, IDNs in their xn-- form, no leading dot',
        "#   whois    the registry's port-43 whois server; empty when it has none",
        "#   rdap     RDAP base URLs, space-separated, https first, each ending in '/'",
        '#   samples  up to three registered names under the TLD, space-separated',
        '#   kind     generic, country-code, sponsored, generic-restricted, infrastructure or test',
        `# Made by tools/tld-data/refresh.mjs from whoisserver-world ${version} (data of ${dataDate})`,
        '# and tools/tld-data/overrides.json; edit those, not this file.',
    ];
    const body = [...rows.values()].map((r) => [r.tld, r.whois, r.rdap.join(' '), r.samples.join(' '), r.kind].join('\t'));
    return [...head, ...body].join('\n') + '\n';
}

function wholistText(rows, withRdap) {
    const lines = [];
    for (const r of rows.values()) {
        if (r.whois) {
            lines.push(`${r.tld}: ${r.whois}`);
        } else if (withRdap) {
            const https = r.rdap.find((u) => u.startsWith('https://'));
            if (https) lines.push(`${r.tld}: ${https}`);
        }
    }
    return lines.join('\n') + '\n';
}

function newestDate(data) {
    let newest = 0;
    for (const entry of Object.values(data)) if (Number.isFinite(entry.t) && entry.t > newest) newest = entry.t;
    return newest ? new Date(newest).toISOString().slice(0, 10) : 'unknown';
}

function main() {
    const opts = parseArgs(process.argv.slice(2));
    const { version, data } = loadSource();
    const rows = buildRows(data);
    applyOverrides(rows, readJson(join(here, 'overrides.json')));
    const sorted = new Map([...rows.entries()].sort(([a], [b]) => (a < b ? -1 : a > b ? 1 : 0)));

    const files = {
        'tlds.tsv': tsvText(sorted, version, newestDate(data)),
        'wholist.txt': wholistText(sorted, opts.rdap),
    };
    let stale = false;
    for (const [name, text] of Object.entries(files)) {
        const path = join(opts.out, name);
        if (opts.check) {
            let old = null;
            try { old = readFileSync(path, 'utf8'); } catch { old = null; }
            if (old !== text) {
                console.error(`${path} is out of date`);
                stale = true;
            }
        } else {
            mkdirSync(opts.out, { recursive: true });
            writeFileSync(path, text);
        }
    }

    const all = [...sorted.values()];
    const port43 = all.filter((r) => r.whois).length;
    const rdapOnly = all.filter((r) => !r.whois && r.rdap.length).length;
    const neither = all.filter((r) => !r.whois && !r.rdap.length).length;
    const samples = all.filter((r) => r.samples.length).length;
    console.log(`${all.length} TLDs: ${port43} with port 43, ${rdapOnly} RDAP only, ${neither} with neither, ${samples} with samples`);
    if (stale) process.exitCode = 1;
}

try {
    main();
} catch (err) {
    console.error(`refresh.mjs: ${err.message}`);
    process.exitCode = 1;
}
