// The page: the window as one <orbiza-view controls>, whose view the address
// keeps after '#'. A fragment typed or pasted into the address bar is a view
// to show too; one that is no view changes nothing and the element says so.
{
  const view = document.querySelector('orbiza-view'), fragment = () => location.hash.slice(1);
  if (fragment()) view.view = fragment();
  window.addEventListener('hashchange', () => { if (fragment()) view.view = fragment(); });

  // Browsers drop or refuse history changes that come too often (Safari
  // takes 100 in 30 s), so while the view changes faster, the latest is
  // written every addressInterval milliseconds; replacing it adds no entry.
  const addressInterval = 500;
  let addressDue = null, addressWritten = -Infinity;
  function WriteAddress() {
    addressDue = null;
    addressWritten = performance.now();
    const address = '#' + view.view;
    if (location.hash !== address) history.replaceState(history.state, '', address);
  }
  view.addEventListener('orbiza-viewchange', () => {
    const wait = addressWritten + addressInterval - performance.now();
    addressDue ??= setTimeout(WriteAddress, Math.max(0, wait));
  });
}
