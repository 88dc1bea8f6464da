// The service worker keeps the page's files for the next visit, offline included (Workbox
// generates it; see vite.config.ts). When a new version's worker takes over a page that an older
// worker served, the page reloads into the new version, so that it never mixes files of two
// versions. A page that no worker served (the first visit, or one opened again while the first
// worker was still fetching the files) has all its files from the network and is left alone
// when the first worker takes over: a reload then would only interrupt the player.
export function keepPageForNextVisits(): void {
  if (!('serviceWorker' in navigator)) return;
  const servedByWorker = navigator.serviceWorker.controller !== null;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (servedByWorker) location.reload();
  });
  navigator.serviceWorker.register('./sw.js', { scope: './' }).catch((error: unknown) => {
    console.warn(`The page cannot be kept for offline use: ${error instanceof Error ? error.message : String(error)}`);
  });
}
