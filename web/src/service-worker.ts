// The service worker keeps the page's files for the next visit, offline included (Workbox
// generates it; see vite.config.ts). When a new version's worker takes over a page that an older
// worker served, the page reloads into the new version, so that it never mixes files of two
// versions. A page that no worker served (the first visit, or one opened again while the first
// worker was still fetching the files) has all its files from the network and is left alone
// when the first worker takes over: a reload then would only interrupt the player.

// Whether a kept version served this page, read once as the module loads: the first worker's
// takeover later does not make the page a kept version's.
const servedByWorker = 'serviceWorker' in navigator && navigator.serviceWorker.controller !== null;

// Watches for a new version's worker taking over. Call it as the page's script starts, before
// anything is awaited: the browser looks for a new version about a second after the page has
// loaded, and a device that takes longer than that to start the tuner would otherwise miss the
// takeover and go on fetching the new version's files into the old page.
export function reloadIntoNewVersions(): void {
  if (!('serviceWorker' in navigator)) return;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (servedByWorker) location.reload();
  });
}

// Registers the worker, once the tuner is on the screen so that the first visit's fetching of
// every file does not slow its start. A page that a kept version served asks for the newest
// version at once rather than whenever the browser gets round to it; offline, that simply fails.
export function keepPageForNextVisits(): void {
  if (!('serviceWorker' in navigator)) return;
  navigator.serviceWorker.register('./sw.js', { scope: './' }).then(
    (registration) => {
      if (servedByWorker) registration.update().catch(() => {});
    },
    (error: unknown) => {
      console.warn(`The page cannot be kept for offline use: ${error instanceof Error ? error.message : String(error)}`);
    });
}
