// Huewright's design tokens and Tailwind theme as the tools that teams use read them:
//   node check-tools.mjs HUEWRIGHT_CLI WORK_DIR
// - Terrazzo's parser validates every tokens export of the test library: no errors, no warnings;
// - Style Dictionary builds CSS variables whose values are the palettes' colors, byte for byte;
// - Tailwind's CLI compiles a page of the theme's utilities, headless Chromium renders it, and each
//   box's pixels are its palette color exactly;
// - the test library exported as tokens and imported again is the same library;
// - tokens written by others (the DTCG Color module's own examples, GitHub Primer's colors) import
//   as colorjs.io, an independent implementation of CSS Color 4, converts and gamut-maps them.
// Prints what it checked; exits 1 with the differences when anything is off.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import Color from 'colorjs.io';
import { defineConfig, Logger, parse } from '@terrazzo/parser';
import StyleDictionary from 'style-dictionary';

const [cli, work] = process.argv.slice(2).map((p) => path.resolve(p));
const here = path.dirname(fileURLToPath(import.meta.url));
const failures = [];
const fail = (what) => failures.push(what);
const run = (file, args, options = {}) => execFileSync(file, args, { encoding: 'utf8', ...options });

// The palettes of a library as `list` prints them: name and eight "#rrggbb" in record order.
function listed(library) {
  return run(cli, ['list', library])
    .trimEnd()
    .split('\n')
    .map((line) => {
      const [, name, colors] = line.split('\t');
      return { name, colors: colors.split(' ') };
    });
}

const hex = (bytes) => '#' + bytes.map((b) => b.toString(16).padStart(2, '0')).join('');
// A CSS color as 8-bit sRGB, rounded half up as CSS rounds.
const srgbBytes = (color) => color.to('srgb').coords.map((c) => Math.round(Math.min(1, Math.max(0, c ?? 0)) * 255));

// The test library: the committed palettes of odd names and fonts, and 256 of spread colors.
const library = path.join(work, 'library.dat');
run('python3', [path.join(here, '../../scripts/make-library.py'), path.join(work, 'spread.dat'), '256']);
run(cli, ['import', '--into', library, path.join(here, 'fixtures/library.json'), path.join(work, 'spread.dat')]);
const palettes = listed(library);
const colors = palettes.flatMap((p) => p.colors);

// Terrazzo, with its recommended lint rules, over the whole library and over each palette alone.
const exports = [path.join(work, 'library.tokens.json')];
run(cli, ['export', library, '--format', 'tokens', '-o', exports[0]]);
for (const number of [1, 2, 3, 4]) {
  exports.push(path.join(work, `palette-${number}.tokens.json`));
  run(cli, ['export', library, '--format', 'tokens', '--palette', String(number), '-o', exports.at(-1)]);
}
for (const file of exports) {
  const logger = new Logger({ level: 'warn' });
  const config = defineConfig({}, { logger, cwd: new URL(`file://${work}/`) });
  try {
    await parse([{ filename: new URL(`file://${file}`), src: fs.readFileSync(file, 'utf8') }], { config, logger });
  } catch (error) {
    fail(`Terrazzo refused ${path.basename(file)}: ${error.message}`);
  }
  if (logger.errorCount || logger.warnCount) {
    fail(`Terrazzo: ${path.basename(file)} gave ${logger.errorCount} errors, ${logger.warnCount} warnings`);
  }
}
console.log(`Terrazzo: ${exports.length} tokens exports, no errors, no warnings`);

// The round trip: the library exported as tokens and imported again is the same library, names and
// fonts included, as its JSON export shows every field of a record.
const again = path.join(work, 'again.dat');
run(cli, ['import', '--into', again, exports[0]]);
if (run(cli, ['export', again, '--format', 'json']) !== run(cli, ['export', library, '--format', 'json'])) {
  fail('The test library exported as tokens and imported again is not the same library');
}
console.log(`Round trip: the ${palettes.length} palettes of the test library come back the same from tokens`);

// Style Dictionary: the CSS variables of the library's colors, read back as sRGB bytes, in order.
const dictionary = new StyleDictionary({
  source: [exports[0]],
  log: { verbosity: 'silent', warnings: 'disabled' },
  platforms: {
    css: {
      transformGroup: 'css',
      buildPath: `${work}/style-dictionary/`,
      files: [{ destination: 'variables.css', format: 'css/variables', filter: (token) => token.$type === 'color' }],
    },
  },
});
await dictionary.buildAllPlatforms();
const variables = [...fs.readFileSync(`${work}/style-dictionary/variables.css`, 'utf8').matchAll(/--([\w-]+): ([^;]+);/g)];
const built = variables.map(([, , value]) => hex(srgbBytes(new Color(value))));
if (built.join(' ') !== colors.join(' ')) {
  fail(`Style Dictionary's variables differ from the palettes:\n  ${built.join(' ')}\n  ${colors.join(' ')}`);
}
console.log(`Style Dictionary: ${built.length} CSS variables, each the palette's color (e.g. ${variables[0][0]})`);

// Tailwind: the theme with `@import "tailwindcss"`, a page of one box per color drawn by the
// theme's bg-* and text-* utilities, compiled by the CLI and rendered by headless Chromium.
const theme = run(cli, ['export', library, '--format', 'tailwind']);
const names = [...theme.matchAll(/--color-([\w-]+): oklch/g)].map(([, name]) => name);
const fonts = [...theme.matchAll(/--font-([\w-]+):/g)].map(([, name]) => name);
const columns = 16;
const boxes = names
  .map((name) => {
    const utility = name.match(/-text-\d$/) ? `text-${name} bg-current` : `bg-${name}`;
    return `<div class="${utility}"></div>`;
  })
  .join('');
const page = `<!doctype html><html><head><link rel="stylesheet" href="page.css"></head>
<body style="margin:0"><div style="display:grid;grid-template-columns:repeat(${columns},8px);grid-auto-rows:8px">${boxes}</div>
<p class="font-${fonts[0]}">${fonts.map((font) => `<span class="font-${font}"></span>`).join('')}</p></body></html>`;
fs.writeFileSync(`${work}/page.html`, page);
const tailwind = path.join(here, "node_modules/tailwindcss/index.css");
fs.writeFileSync(`${work}/input.css`, `@import "${tailwind}";\n@source "./page.html";\n${theme}`);
run(path.join(here, 'node_modules/.bin/tailwindcss'), ['-i', `${work}/input.css`, '-o', `${work}/page.css`], {
  cwd: work,
  stdio: 'pipe',
});
const compiled = fs.readFileSync(`${work}/page.css`, 'utf8');
for (const font of fonts) {
  if (!compiled.includes(`.font-${font} {\n    font-family: var(--font-${font});`)) {
    fail(`Tailwind made no font-${font} utility`);
  }
}
const rows = Math.ceil(names.length / columns);
const screenshot = `${work}/page.png`;
run(
  'chromium',
  [
    '--headless',
    '--no-sandbox',
    '--disable-gpu',
    '--disable-quic',
    '--no-first-run',
    '--disable-background-networking',
    '--disable-component-update',
    '--disable-sync',
    `--user-data-dir=${fs.mkdtempSync(path.join(work, 'profile-'))}`,
    '--force-color-profile=srgb',
    '--force-device-scale-factor=1',
    '--hide-scrollbars',
    `--window-size=${columns * 8},${rows * 8 + 64}`,
    `--screenshot=${screenshot}`,
    `file://${work}/page.html`,
  ],
  { stdio: 'pipe' },
);
const width = columns * 8;
const pixels = execFileSync('convert', [screenshot, '-crop', `${width}x${rows * 8}+0+0`, 'rgb:-']);
names.forEach((name, i) => {
  const x = (i % columns) * 8 + 4;
  const y = Math.floor(i / columns) * 8 + 4;
  const at = (y * width + x) * 3;
  const drawn = hex([pixels[at], pixels[at + 1], pixels[at + 2]]);
  if (drawn !== colors[i]) {
    fail(`Chromium drew ${name} as ${drawn}, the palette has ${colors[i]}`);
  }
});
console.log(`Tailwind CLI and Chromium: ${names.length} boxes drawn by the theme's utilities, each its color exactly`);

// Tokens written by others, checked token by token against colorjs.io. Palettes come from each top
// group's color tokens, depth first in document order, as the import takes them.
const spaces = {
  srgb: 'srgb',
  'srgb-linear': 'srgb-linear',
  hsl: 'hsl',
  hwb: 'hwb',
  lab: 'lab',
  lch: 'lch',
  oklab: 'oklab',
  oklch: 'oklch',
  'display-p3': 'p3',
  'a98-rgb': 'a98rgb',
  'prophoto-rgb': 'prophoto',
  rec2020: 'rec2020',
  'xyz-d65': 'xyz-d65',
  'xyz-d50': 'xyz-d50',
};
function expectedColors(document) {
  const named = (dotted) => dotted.split('.').reduce((node, key) => node?.[key], document);
  const resolve = (token) => {
    for (let seen = 0; typeof token.$value === 'string' && token.$value.startsWith('{'); ++seen) {
      token = named(token.$value.slice(1, -1));
    }
    return token.$value;
  };
  const convert = (value) => {
    if (typeof value === 'string') return value.slice(0, 7).toLowerCase();
    const coords = value.components.map((c) => (c === 'none' ? null : c));
    let color = new Color(spaces[value.colorSpace], coords).to('srgb');
    if (!color.inGamut()) color = color.toGamut({ method: 'css' });
    return hex(srgbBytes(color));
  };
  const groups = [];
  const walk = (group, type, into) => {
    for (const [key, node] of Object.entries(group)) {
      if (key.startsWith('$') || typeof node !== 'object') continue;
      const own = node.$type ?? type;
      if ('$value' in node) {
        if (own === 'color' || (!own && resolve(node)?.colorSpace)) into.push(convert(resolve(node)));
      } else {
        walk(node, own, into);
      }
    }
  };
  for (const [key, group] of Object.entries(document)) {
    if (key.startsWith('$')) continue;
    const found = [];
    walk(group, group.$type ?? document.$type, found);
    groups.push(...found, ...Array((8 - (found.length % 8)) % 8).fill(null));
  }
  return groups;
}
for (const fixture of ['dtcg-color-examples.tokens.json', 'github-primer-colors.tokens.json']) {
  const file = path.join(here, 'fixtures', fixture);
  const into = path.join(work, fixture + '.dat');
  run(cli, ['import', '--into', into, file]);
  const read = listed(into).flatMap((p) => p.colors);
  const expected = expectedColors(JSON.parse(fs.readFileSync(file, 'utf8')));
  const differences = expected.filter((color, i) => color !== null && color !== read[i]);
  if (read.length !== expected.length || differences.length) {
    fail(`${fixture}: read ${read.join(' ')}\n  colorjs.io: ${expected.map((c) => c ?? '-').join(' ')}`);
  }
  console.log(`${fixture}: ${expected.filter((c) => c).length} colors as colorjs.io converts them`);
}

if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
