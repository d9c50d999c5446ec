// The lint of the JavaScript, the site's (web/) and the browser tests' (tests/browser/); CI's
// quick checks run npx eslint web tests/browser. The pages' scripts run in the browser and
// share one global scope, each naming what it takes from the others; the build scripts, the
// server, the tests and the benchmark run in Node.
import js from '@eslint/js';
import globals from 'globals';

export default [
  {ignores: ['**/node_modules/']},
  js.configs.recommended,
  {
    files: ['web/*.js'],
    languageOptions: {
      sourceType: 'script',
      globals: {...globals.browser, QtLoader: 'readonly'}, // the toolkit's loader, qtloader.js
    },
    // A page's script defines what another script of the page calls.
    rules: {'no-unused-vars': ['error', {varsIgnorePattern: '^(takeKeys|startProgram)$'}]},
  },
  {files: ['web/program.js'], languageOptions: {globals: {takeKeys: 'readonly'}}}, // keyboard.js
  {
    files: ['**/*.mjs'],
    languageOptions: {globals: {...globals.node}},
  },
  {
    // What runs in the page under test (page.evaluate and the like).
    files: ['tests/browser/**/*.mjs', 'web/bench/**/*.mjs'],
    languageOptions: {globals: {...globals.node, ...globals.browser}},
  },
];
