// The rating prompt's side of the page: the network as the browser sees it, the probe, and the
// alert as a dialog of the page. The prompt itself (when to ask, what each button records) is
// the core's; this only shows and reports.

export interface PageNetwork {
  online(): boolean;
  // Sends the probe and lets it go: its outcome is never looked at. False when the address is not
  // one fetch can take.
  probe(url: string, seconds: number, alwaysNetwork: boolean): boolean;
}

export function pageNetwork(): PageNetwork {
  return {
    online: () => navigator.onLine,
    probe(url, seconds, alwaysNetwork) {
      let target: URL;
      try {
        target = new URL(url);
      } catch {
        return false;
      }
      // A page served over https may not fetch plain http (the browser blocks it as mixed
      // content): the same site is asked over https instead.
      if (location.protocol === 'https:' && target.protocol === 'http:') target.protocol = 'https:';
      fetch(target, {
        mode: 'no-cors',
        cache: alwaysNetwork ? 'no-cache' : 'default',
        credentials: 'omit',
        referrerPolicy: 'no-referrer',
        signal: AbortSignal.timeout(seconds * 1000),
      }).catch(() => undefined);
      return true;
    },
  };
}

export interface PageAlerts {
  show(id: number, title: string, message: string, buttonTitles: string[]): void;
  hide(id: number): void;
}

// The alert in a modal dialog: its title, message and buttons, the first one marked as the main
// choice. A button tells chosen(id, index); the core then hides the dialog. Escape does not close
// it (the alert has no cancel of its own); a dialog the browser closes anyway reports index -1,
// which records nothing.
export function alertDialog(dialog: HTMLDialogElement, chosen: (id: number, index: number) => void): PageAlerts {
  const title = dialog.querySelector<HTMLElement>('.alert-title')!;
  const message = dialog.querySelector<HTMLElement>('.alert-message')!;
  const buttons = dialog.querySelector<HTMLElement>('.alert-buttons')!;
  let shown = 0;
  dialog.addEventListener('cancel', (event) => event.preventDefault());
  dialog.addEventListener('close', () => {
    const id = shown;
    shown = 0;
    if (id !== 0) chosen(id, -1);
  });
  return {
    show(id, titleText, messageText, buttonTitles) {
      title.textContent = titleText;
      message.textContent = messageText;
      buttons.replaceChildren(...buttonTitles.map((text, index) => {
        const button = document.createElement('button');
        button.id = `ratingAlertButton${index}`;
        button.textContent = text;
        button.classList.toggle('main-choice', index === 0);
        button.addEventListener('click', () => chosen(id, index));
        return button;
      }));
      shown = id;
      if (!dialog.open) dialog.showModal();
    },
    hide(id) {
      if (id !== shown) return;
      shown = 0;
      if (dialog.open) dialog.close();
    },
  };
}
