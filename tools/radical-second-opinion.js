// SPDX-License-Identifier: GPL-3.0-or-later
// node radical-second-opinion.js CHARACTERS.TSV > second-opinion.tsv
// What cnchar-radical says of each character of characters.tsv: character, radical, structure.
// Used only by the radical check (zibrin-radicalcheck); nothing of it is shipped.
'use strict';
const fs = require('fs');
const radical = require('cnchar-radical');
const lines = fs.readFileSync(process.argv[2], 'utf8').split('\n');
const out = ['# character\tradical\tstructure (cnchar-radical)'];
for (const line of lines) {
    const character = line.split('\t')[0];
    if (!character) continue;
    const [result] = radical(character);
    if (result && result.radical) out.push(`${character}\t${result.radical}\t${result.struct || ''}`);
}
process.stdout.write(out.join('\n') + '\n');
