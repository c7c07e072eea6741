#!/usr/bin/python3
"""The web page's figures, measured in Debian's Chromium, headless, on a page
served from 127.0.0.1 by this program, a fresh browser for each run. Prints
one line per sample, "figure<TAB>value", on stdout:

  web first visit        ms from the navigation to the title picture drawn
  web first visit bytes  KiB the server sent for it, the service worker's
                         caching of the whole page included
  web second visit bytes KiB the server sent for a visit after it
  web press to picture   ms from a press's event to the frame that draws its picture
  web press to sound     ms from a press's event to its sound leaving Web Audio for
                         the output: when it is started, plus the context's base
                         and output latency
  web memory             MiB in the browser's page processes after a whole round
                         (PSS; Chromium's spare one included)

Usage: web_figures.py [PAGE_FOLDER [RUNS]]    (build-web/page and 5 by default)"""
import http.server
import pathlib
import statistics
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.wait import WebDriverWait

PAGE = sys.argv[1] if len(sys.argv) > 1 else str(pathlib.Path(__file__).resolve().parent.parent / 'build-web/page')
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
PRESSES = 20
samples = {}


def report(figure, value):
    samples.setdefault(figure, []).append(value)
    print(f'{figure}\t{value:.6f}', flush=True)


class Server(http.server.ThreadingHTTPServer):
    """The page's folder, counting every byte it sends."""

    def __init__(self):
        server = self
        self.sent = 0

        class Counting:
            def __init__(self, stream):
                self.stream = stream

            def write(self, data):
                server.sent += len(data)
                return self.stream.write(data)

            def __getattr__(self, name):
                return getattr(self.stream, name)

        class Handler(http.server.SimpleHTTPRequestHandler):
            def __init__(self, *args):
                super().__init__(*args, directory=PAGE)

            def setup(self):
                super().setup()
                self.wfile = Counting(self.wfile)

            def log_message(self, *args):
                pass

        super().__init__(('127.0.0.1', 0), Handler)
        threading.Thread(target=self.serve_forever, daemon=True).start()
        self.url = f'http://127.0.0.1:{self.server_address[1]}/'

    def quiet(self, seconds=1.0):
        """Waits until nothing has been sent for a while."""
        while True:
            before = self.sent
            time.sleep(seconds)
            if self.sent == before:
                return


def browser(profile):
    options = webdriver.ChromeOptions()
    for argument in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     '--window-size=500,600', f'--user-data-dir={profile}'):
        options.add_argument(argument)
    return webdriver.Chrome(options=options, service=Service('/usr/bin/chromedriver'))


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


def visits(driver, server):
    driver.set_script_timeout(30)
    driver.get(server.url)
    report('web first visit', driver.execute_async_script(TITLE_DRAWN))
    WebDriverWait(driver, 30).until(lambda d: d.execute_script('return !!navigator.serviceWorker.controller'))
    server.quiet()
    report('web first visit bytes', server.sent / 1024)
    server.sent = 0
    driver.get(server.url)
    driver.execute_async_script(TITLE_DRAWN)
    server.quiet()
    report('web second visit bytes', server.sent / 1024)


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
    kinds = driver.execute_script('return pokoriTest.page.controls.map((c) => c.kind + (c.clicked || ""))')
    title, action = kinds.index('picturetitleClicked'), kinds.index('action')
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
    server = Server()
    try:
        for run in range(RUNS):
            print(f'web_figures: run {run + 1} of {RUNS}', file=sys.stderr)
            profile = tempfile.mkdtemp()
            driver = browser(profile)
            try:
                visits(driver, server)
                round_played(driver, server, profile)
            finally:
                driver.quit()
    finally:
        server.shutdown()
    for figure, values in samples.items():
        print(f'web_figures: {figure}: median {statistics.median(values):.1f} over {len(values)}', file=sys.stderr)


if __name__ == '__main__':
    main()
