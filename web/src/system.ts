// What the browser tells of the system it runs on, for the store address the rating opens.

// The system's version: the platform version a Chromium browser reports on request, else the one
// the user agent names (iOS "OS 17_1", "Mac OS X 10_15_7", Android 14, Windows NT 10.0), else "0".
export async function systemVersion(): Promise<string> {
  const hints = (navigator as Navigator & {
    userAgentData?: { getHighEntropyValues(hints: string[]): Promise<{ platformVersion?: string }> };
  }).userAgentData;
  try {
    const reported = (await hints?.getHighEntropyValues(['platformVersion']))?.platformVersion;
    if (reported) return reported;
  } catch {
    // a browser that refuses the hint: the user agent below
  }
  const named = /(?:Mac OS X|OS|Android|Windows NT) (\d+(?:[._]\d+)*)/.exec(navigator.userAgent);
  return named ? named[1].replace(/_/g, '.') : '0';
}

// Apple's systems open "itms-apps:" addresses in their store application; others get the store's
// web page.
export function storeSchemeHandled(): boolean {
  return /iPhone|iPad|iPod|Macintosh/.test(navigator.userAgent);
}
