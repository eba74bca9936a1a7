// Reads a GIFT bank with gift-pegjs, the reference reader, and prints as JSON
// its single-choice questions with plain texts: {"questions": [{title, text,
// answers, right}]}, or {"notUtf8": true} for bytes that are not UTF-8.
// Usage: node gift_reference.js BANK
'use strict';
const fs = require('fs');
const path = require('path');
const gift = require(path.join(__dirname, '..', 'node', 'node_modules', 'gift-pegjs'));

const references = {amp: '&', lt: '<', gt: '>', quot: '"', apos: "'", nbsp: '\u00a0'};

// HTML as a browser shows it, in one line per paragraph or <br>.
function plain(formatted) {
    if (formatted.format !== 'html')
        return formatted.text.trim();
    return formatted.text
        .replace(/<!--[\s\S]*?(-->|$)/g, '')
        .replace(/<br\b[^>]*>|<\/p\s*>/gi, '\ue000')
        .replace(/<[A-Za-z\/!?][^>]*>/g, '')
        .replace(/&(#x[0-9a-f]+|#[0-9]+|[a-z]+);/gi, (whole, name) => {
            if (name[0] !== '#')
                return references[name] ?? whole;
            const hex = /^#x/i.test(name);
            return String.fromCodePoint(parseInt(name.slice(hex ? 2 : 1), hex ? 16 : 10));
        })
        .replace(/\s+/g, ' ')
        .replace(/ ?\ue000[ \ue000]*/g, '\n')
        .trim();
}

let text;
try {
    text = new TextDecoder('utf-8', {fatal: true}).decode(fs.readFileSync(process.argv[2]));
} catch (e) {
    console.log(JSON.stringify({notUtf8: true}));
    process.exit(0);
}
const questions = gift.parse(text)
    .filter(q => q.type === 'MC' && !q.hasEmbeddedAnswers && q.choices.every(c => c.weight === null)
                 && q.choices.filter(c => c.isCorrect).length === 1)
    .map(q => ({
        title: q.title ?? '',
        text: plain(q.stem),
        answers: q.choices.map(c => plain(c.text)),
        right: q.choices.findIndex(c => c.isCorrect),
    }));
console.log(JSON.stringify({questions}));
