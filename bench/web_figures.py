#!/usr/bin/python3
"""The web page's figures, measured in Debian's Chromium, headless, on a page
served from 127.0.0.1 by this program, fresh browsers for each run, some on
links the DevTools protocol slows as a player's are. Prints one line per
sample, "figure<TAB>value", on stdout:

  web title, slow        ms from the navigation to the title picture drawn, on a
                         link of 2 s round trips and 50 kB/s
  web bytes before title KiB of every response the page had whole by then
  web sounds in, slow    ms from the navigation to the last sound's bytes in
  web title, phone       ms to the title on a link of 150 ms and 1.5 MB/s
  web first visit        ms from the navigation to the title drawn, on 127.0.0.1
  web first visit bytes  KiB the server sent for it, the service worker's
                         keeping of the whole page included
  web second visit bytes KiB the server sent for a visit after it
  web title, server silent  ms to the title of a visit after those, with a
                         server that takes requests and never answers
  web press to picture   ms from a press's event to the frame that draws its picture
  web press to sound     ms from a press's event to its sound leaving Web Audio for
                         the output: when it is started, plus the context's base
                         and output latency
  web memory             MiB in the browser's page processes after a whole round
                         (PSS; Chromium's spare one included)

Usage: web_figures.py [PAGE_FOLDER [RUNS]]    (build-web/page and 3 by default)"""
import pathlib
import statistics
import sys
import tempfile
import time

from selenium.webdriver.support.wait import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / 'tools'))
from page_server import PageServer, chromium  # noqa: E402

PAGE = sys.argv[1] if len(sys.argv) > 1 else str(pathlib.Path(__file__).resolve().parent.parent / 'build-web/page')
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 3
PRESSES = 20
samples = {}


def report(figure, value):
    samples.setdefault(figure, []).append(value)
    print(f'{figure}\t{value:.6f}', flush=True)


# Links as the DevTools protocol emulates them: round trip, bytes a second.
SLOW = {'latency': 2000, 'downloadThroughput': 50_000, 'uploadThroughput': 50_000}
PHONE = {'latency': 150, 'downloadThroughput': 1_500_000, 'uploadThroughput': 750_000}


def quiet(server, seconds=1.0):
    """Waits until the server has sent nothing for a while."""
    while True:
        before = server.sent
        time.sleep(seconds)
        if server.sent == before:
            return


def resident_kib(profile):
    """The memory of the browser's page processes, each with its share of
    the pages it shares (PSS): the renderers among the descendants of the
    browser that runs on this profile."""
    parent, command = {}, {}
    for process in pathlib.Path('/proc').glob('[0-9]*'):
        try:
            command[process.name] = (process / 'cmdline').read_bytes()
            parent[process.name] = (process / 'stat').read_text().rsplit(')', 1)[1].split()[1]
        except OSError:
            continue  # gone already
    ours = {pid for pid, line in command.items() if f'--user-data-dir={profile}'.encode() in line}
    while grown := {pid for pid, ppid in parent.items() if ppid in ours} - ours:
        ours |= grown
    total = 0
    for pid in ours:
        if b'--type=renderer' in command[pid]:
            rollup = pathlib.Path(f'/proc/{pid}/smaps_rollup').read_text()
            total += int(next(line.split()[1] for line in rollup.splitlines() if line.startswith('Pss:')))
    return total


TITLE_DRAWN = '''
const done = arguments[0];
new PerformanceObserver((list) => {
  for (const entry of list.getEntries())
    if (entry.element?.tagName === 'IMG') done(entry.renderTime || entry.startTime);
}).observe({type: 'largest-contentful-paint', buffered: true});'''

# Each press: the frame after its event, and when the sound it started leaves
# Web Audio, on the page's clock.
WATCH_PRESSES = '''
const audio = pokoriTest.view.audio;
const start = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function (...args) {
  // Started now, a sound leaves Web Audio for the output once it has passed
  // the context's own processing and the output's buffering.
  window.soundOut = performance.now() + (audio.baseLatency + audio.outputLatency) * 1000;
  return start.apply(this, args);
};
window.presses = [];
// Before the page's own handler: a sound is this press's only if it starts after.
addEventListener('pointerdown', () => { window.soundOut = null; }, true);
addEventListener('pointerdown', (event) => requestAnimationFrame(() => setTimeout(() =>
  presses.push([performance.now() - event.timeStamp, soundOut - event.timeStamp, audio.state]))));'''


# The bytes of every response the page had whole when the title was drawn,
# headers included.
BYTES_BY = '''
const [title] = arguments;
return [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')]
  .filter((entry) => entry.responseEnd <= title).reduce((sum, entry) => sum + entry.transferSize, 0);'''

# When the page had every sound's bytes in: it has all it fetches then.
SOUNDS_IN = '''
const done = arguments[0];
const look = () => (pokoriTest.loaded ? done(performance.now()) : setTimeout(look, 50));
look();'''


def first_visit_over(driver, server, link):
    """A first visit on a slowed link, as a player's page runs it, to its title
    and, on the slow link, until every sound is in."""
    driver.set_script_timeout(120)
    driver.execute_cdp_cmd('Network.enable', {})
    driver.execute_cdp_cmd('Network.emulateNetworkConditions', {'offline': False, **link})
    script = driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': 'globalThis.pokoriTest = {};'})
    driver.get(server.url)
    driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument', script)
    title = driver.execute_async_script(TITLE_DRAWN)
    if link is PHONE:
        report('web title, phone', title)
        return
    report('web title, slow', title)
    report('web bytes before title', driver.execute_script(BYTES_BY, title) / 1024)
    report('web sounds in, slow', driver.execute_async_script(SOUNDS_IN))


def visits(driver, server):
    driver.set_script_timeout(30)
    server.sent = 0
    driver.get(server.url)
    report('web first visit', driver.execute_async_script(TITLE_DRAWN))
    driver.execute_async_script('navigator.serviceWorker.ready.then(arguments[0])')  # the page kept
    quiet(server)
    report('web first visit bytes', server.sent / 1024)
    server.sent = 0
    driver.get(server.url)
    driver.execute_async_script(TITLE_DRAWN)
    quiet(server)
    report('web second visit bytes', server.sent / 1024)
    server.open.clear()
    try:
        driver.get(server.url)
        report('web title, server silent', driver.execute_async_script(TITLE_DRAWN))
    finally:
        server.open.set()


def mouse(driver, element, kind):
    box = element.rect
    driver.execute_cdp_cmd('Input.dispatchMouseEvent', {
        'type': kind, 'x': box['x'] + box['width'] / 2, 'y': box['y'] + box['height'] / 2, 'button': 'left',
        'clickCount': 1})


def dismiss(driver):
    while boxes := driver.find_elements('css selector', 'dialog[open] button'):
        boxes[-1].click()
        time.sleep(0.05)


def round_played(driver, server, profile):
    """Presses during play, then the rest of the round to its ending, ticked by hand."""
    script = driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {
        'source': 'globalThis.pokoriTest = {draws: []};'})
    driver.get(server.url)
    driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument', script)
    WebDriverWait(driver, 30).until(lambda d: d.execute_script('return !!pokoriTest.view'))
    controls = driver.find_elements('css selector', '#window > *')
    # The title picture, the second picture of the window, and the first action button.
    kinds = driver.execute_script('return pokoriTest.page.controls.map((c) => c.kind)')
    title = [i for i, kind in enumerate(kinds) if kind == 'picture'][1]
    action = kinds.index('action')
    mouse(driver, controls[title], 'mousePressed')
    mouse(driver, controls[title], 'mouseReleased')
    dismiss(driver)
    driver.execute_script(WATCH_PRESSES)
    for _ in range(PRESSES):
        mouse(driver, controls[action], 'mousePressed')
        time.sleep(0.05)
        mouse(driver, controls[action], 'mouseReleased')
    for picture, sound, state in driver.execute_script('return presses'):
        report('web press to picture', picture)
        if state == 'running' and sound is not None:
            report('web press to sound', sound)
    driver.execute_script('for (let i = 0; i < 30; ++i) { pokoriTest.draws.push(0.5, (i % 3 + 0.5) / 3);'
                          ' pokoriTest.tick(0); if (i < 29) pokoriTest.tick(1); }')
    dismiss(driver)
    report('web memory', resident_kib(profile) / 1024)


def main():
    server = PageServer(PAGE)
    try:
        for run in range(RUNS):
            print(f'web_figures: run {run + 1} of {RUNS}', file=sys.stderr)
            for link in (SLOW, PHONE):
                driver = chromium(tempfile.mkdtemp())
                try:
                    first_visit_over(driver, server, link)
                finally:
                    driver.quit()
            profile = tempfile.mkdtemp()
            driver = chromium(profile)
            try:
                visits(driver, server)
                round_played(driver, server, profile)
            finally:
                driver.quit()
    finally:
        server.stop()
    for figure, values in samples.items():
        print(f'web_figures: {figure}: median {statistics.median(values):.1f} over {len(values)}', file=sys.stderr)


if __name__ == '__main__':
    main()
