// The links: the maker's site, a rating of this app and the list of every link, under the screen;
// the list in a panel over it, with the precise-estimate switch at its top. A tap on a link opens
// it in a new tab (the core decides the address) and closes the panel.
import type { WebTuner } from '@tuner';
import { byId } from './dom';

export function setUpLinks(tuner: WebTuner, preciseChanged: () => void): void {
  const panel = byId<HTMLDialogElement>('linksPanel');
  const preciseToggle = byId('preciseEstimatorToggle');
  const showPrecise = () => {
    preciseToggle.textContent = `${tuner.precise() ? '☑' : '☐'} ${tuner.text('PreciseEstimator')}`;
    preciseToggle.setAttribute('aria-pressed', String(tuner.precise()));
  };

  byId('makerSiteLink').textContent = tuner.text('LinkWebsite');
  byId('reviewThisAppLink').textContent = `★ ${tuner.text('LinkRateThisApp')}`;
  byId('moreAppsButton').textContent = tuner.text('LinkMoreApps');
  byId('linksHeading').textContent = tuner.text('LinkMoreApps').replace(/…$/, '');
  for (const id of ['makerSiteLink', 'reviewThisAppLink']) {
    const link = byId(id);
    link.addEventListener('click', () => tuner.openLink(link.dataset.action!));
  }

  const list = byId('linksList');
  for (const { action, label } of tuner.links()) {
    const button = document.createElement('button');
    button.id = `link_${action}`;
    button.textContent = label;
    button.addEventListener('click', () => {
      tuner.openLink(action);
      panel.close();
    });
    list.append(button);
  }
  preciseToggle.addEventListener('click', () => {
    tuner.setPrecise(!tuner.precise());
    showPrecise();
    preciseChanged();
  });
  byId('moreAppsButton').addEventListener('click', () => {
    showPrecise();
    panel.showModal();
  });
  byId('closeLinksButton').addEventListener('click', () => panel.close());
  // A tap on the dimmed screen around the panel closes it too.
  panel.addEventListener('click', (event) => {
    if (event.target === panel) panel.close();
  });
}
