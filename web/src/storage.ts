// The page's localStorage as the tuner's defaults store reads and writes it. A browser may refuse
// the store outright (private browsing, storage disabled: even reading window.localStorage
// throws), or refuse a write (the store is full). Nothing here throws: a read that fails answers
// undefined, a write that fails answers false, and each failure is logged once per kind, so the
// tuner keeps such values in memory for the page's life and goes on.
export interface PageStorage {
  read(key: string): string | null | undefined;  // null: absent; undefined: the store failed
  write(key: string, value: string): boolean;
  remove(key: string): void;
  clear(): void;
}

export function pageStorage(): PageStorage {
  const warned = new Set<string>();
  const failed = (what: string, error: unknown) => {
    if (warned.has(what)) return;
    warned.add(what);
    console.warn(`localStorage: ${what} failed (${error instanceof Error ? error.message : String(error)}); ` +
                 'settings are kept for this visit only');
  };
  let store: Storage | null = null;
  try {
    store = window.localStorage;
  } catch (error) {
    failed('opening the store', error);
  }
  const attempt = <T>(what: string, action: (s: Storage) => T, otherwise: T): T => {
    if (store === null) return otherwise;
    try {
      return action(store);
    } catch (error) {
      failed(what, error);
      return otherwise;
    }
  };
  return {
    read: (key) => attempt<string | null | undefined>('reading', (s) => s.getItem(key), undefined),
    write: (key, value) => attempt('writing', (s) => (s.setItem(key, value), true), false),
    remove: (key) => attempt('removing', (s) => s.removeItem(key), undefined),
    clear: () => attempt('clearing', (s) => s.clear(), undefined),
  };
}
