// The page's element of that id (every id the page asks for is in index.html).
export function byId<T extends HTMLElement = HTMLElement>(id: string): T {
  return document.getElementById(id) as T;
}
