// Builds the page from web/ into build-web/site/. The tuner's module and the files the page
// fetches (pictures, translations, demo recording) come from the WebAssembly build folder,
// which scripts/build-web.sh fills.
import { defineConfig } from 'vite';
import { fileURLToPath } from 'node:url';

const buildWeb = fileURLToPath(new URL('../build-web/', import.meta.url));

export default defineConfig({
  base: './',
  publicDir: buildWeb + 'public',
  resolve: { alias: { '@tuner': buildWeb + 'src/platform/web/balalaika-tuner-web.js' } },
  build: { outDir: buildWeb + 'site', emptyOutDir: true, target: 'es2020' },
  server: { host: '127.0.0.1', port: 8080 },
});
