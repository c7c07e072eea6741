#!/usr/bin/python3
# What only the page's view does, in headless Chromium: the window on any
# screen, one whole round, pointers, modal boxes, timers and music on their
# own, files missing, cut or late, and new builds; the draws scripted.
# Usage: test_page.py PAGE_FOLDER TELLINGS_FILE CMAKE PAGE_SETTINGS [TEST_NAME...]
#        (PAGE_SETTINGS: the build's web/page-settings.cmake)
import itertools
import json
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.expected_conditions import staleness_of
from selenium.webdriver.support.wait import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / 'tools'))
from page_server import PageServer, chromium  # noqa: E402

PAGE, TELLINGS, CMAKE, SETTINGS = sys.argv[1:5]
# The controls in the game's order (game/window_layout.h); t.tick(0) ticks
# the prompts, 1 the flash, 2 the music.
SCENE, PROMPT_LABEL, SUFFIX, TITLE, HINT, HIT_CAPTION, MISS_CAPTION, HITS, MISSES, *ACTIONS = range(12)
ABOUT, LIGHT, HEAVY = range(12, 15)


def stem(file):
    return None if file == '-' else file.split('.')[0]


# Each story's pictures under its messages and its sound, by the files' stems.
TELLINGS = {row[0]: ([stem(p) for p in row[1:-1]], stem(row[-1]))
            for row in (line.split() for line in open(TELLINGS, encoding='utf-8')) if row and row[0][0] != '#'}


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = chromium(tempfile.mkdtemp())
        cls.addClassCleanup(cls.driver.quit)

    def setUp(self):
        self.server = PageServer(PAGE)
        self.addCleanup(lambda: self.server.stop())

    def cdp(self, command, **arguments):
        return self.driver.execute_cdp_cmd(command, arguments)

    def load(self, draws=(0.0, 0.5), until='loaded', held=True):
        # Each visit in a fresh tab; the timers held for the test to tick, or
        # run on virtual time, which stands still until the test advances it.
        old = self.driver.current_window_handle
        self.driver.switch_to.new_window('tab')
        new = self.driver.current_window_handle
        self.driver.switch_to.window(old)
        self.driver.close()
        self.driver.switch_to.window(new)
        hook = {'draws': draws, 'timersRun': not held}
        self.cdp('Page.addScriptToEvaluateOnNewDocument', source=f'globalThis.pokoriTest = {json.dumps(hook)};')
        self.driver.get(self.server.url)
        if until:
            self.wait(f'pokoriTest.{until}')
            if not held:
                self.cdp('Emulation.setVirtualTimePolicy', policy='pause')
            # Every text the game hands the page for a message box, to be shown as it stands.
            self.js('t.texts = []; const open = v.openBox; v.openBox = (text) => open.call(v, t.texts.push(text) && text)')
            self.controls = self.driver.find_elements('css selector', '#window > *')
            self.looks = self.js('return p.controls')

    def wait(self, condition, timeout=20):
        # Until a condition holds in the page, across its reloads.
        return WebDriverWait(self.driver, timeout, ignored_exceptions=(WebDriverException,)).until(
            lambda d: d.execute_script(f'return {condition}'))

    def advance(self, ms):
        # The page's clock runs on by that much, as fast as the browser can.
        end = self.js('return performance.now()') + ms
        self.cdp('Emulation.setVirtualTimePolicy', policy='advance', budget=ms)
        self.wait(f'performance.now() > {end - 1}')  # its readings are coarse

    def js(self, script, *args):
        return self.driver.execute_script(
            'const t = pokoriTest, v = t.view, p = t.page;'
            'const stem = (file) => file?.split(".")[0];'
            f'const scene = () => [...v.pictures].find(([, p]) => p.url === v.controls[{SCENE}].firstChild.src)?.[0];'
            f'const prompted = () => p.controls.findIndex((c) => c.kind === "action"'
            f' && c.caption === v.controls[{PROMPT_LABEL}].textContent) - {ACTIONS[0]};' + script, *args)

    def shown(self):
        # What the page shows of its lines, its window and its boxes.
        return self.js('return [...document.querySelectorAll(".notice, #window, dialog")]'
                       '.filter((e) => e.checkVisibility()).map((e) => e.id || e.tagName)')

    def told(self):
        # Each box in turn, named, described, dismissed; the window focused after.
        told = []
        while box := self.driver.find_elements('css selector', 'dialog[open]'):
            text = self.js('return t.texts.shift()').replace('\r\n', '\n')
            self.assertEqual(box[-1].accessible_name, self.js('return p.title'))
            self.assertEqual(self.js('return document.getElementById(arguments[0].getAttribute("aria-describedby"))'
                                     '.innerText', box[-1]), text)
            told.append((text, stem(self.js('return scene()') or '-')))
            box[-1].find_element('tag name', 'button').click()
            WebDriverWait(self.driver, 5).until(staleness_of(box[-1]))
        if told:
            self.assertTrue(self.js('const w = document.getElementById("window"); return document.activeElement === w || w.inert'))
        return told

    def assert_told(self, story):
        self.assertEqual([scene for _, scene in self.told()], TELLINGS[story][0])

    def rect(self, element):
        # In the page's own pixels: WebDriver's sizes leave out the window's zoom.
        return self.js('return arguments[0].getBoundingClientRect().toJSON()', element)

    def centre(self, control):
        box = self.rect(self.controls[control])
        return box['x'] + box['width'] / 2, box['y'] + box['height'] / 2

    def pointer(self, control, down, kind='mouse', button='left', buttons=0, touch='touchEnd'):
        # A pointer goes down on a control, or comes up from it, as the browser's own input.
        x, y = self.centre(control)
        if kind == 'touch':
            self.cdp('Input.dispatchTouchEvent', type='touchStart' if down else touch,
                     touchPoints=[{'x': x, 'y': y}] if down else [])
        else:
            self.cdp('Input.dispatchMouseEvent', type='mousePressed' if down else 'mouseReleased', x=x, y=y,
                     button=button, buttons=buttons, clickCount=1, pointerType=kind)

    def press(self, control, times=1):
        for _ in range(times):
            self.pointer(control, True)
            self.pointer(control, False)

    def style(self, control):
        return self.js('const s = getComputedStyle(arguments[0]);'
                       'return {backgroundColor: s.backgroundColor, color: s.color, fontSize: s.fontSize,'
                       ' textAlign: s.textAlign}', self.controls[control])

    def test_every_control_is_drawn_from_the_games_table(self):
        self.load()
        window = self.js('return p.window')
        self.assertEqual(self.driver.title, self.js('return p.title'))
        origin, zoom = self.js('return [document.getElementById("window").getBoundingClientRect(),'
                               ' +getComputedStyle(document.documentElement).getPropertyValue("--zoom")]')
        self.assertEqual(self.js('return [...document.fonts].map((f) => f.status)'), ['loaded'])
        cap = [look['caption'] for look in self.looks]
        names = {PROMPT_LABEL: f'{cap[PROMPT_LABEL]} {cap[SUFFIX]}', HITS: f'{cap[HIT_CAPTION]} 0',
                 MISSES: f'{cap[MISS_CAPTION]} 0'}
        self.js('v.controls.forEach((c) => { c.hidden = false; })')  # each one measured
        for i, look in enumerate(self.looks):
            with self.subTest(control=i):
                element, style, box = self.controls[i], self.style(i), self.rect(self.controls[i])
                self.assertEqual(tuple(round(v / zoom, 1) for v in (box['x'] - origin['x'], box['y'] - origin['y'],
                                                                    box['width'], box['height'])),
                                 (look['x'], look['y'], look['width'], look['height']))
                self.assertEqual(element.text, look['caption'] or ('0' if look['kind'] == 'label' else ''))
                face = look['pressedFace'] if look['startsChosen'] else look['faceColour']
                self.assertEqual(style['backgroundColor'], face or 'rgba(0, 0, 0, 0)')
                self.assertEqual(style['color'], look['textColour'] or window['textColour'])
                size = look['pointSize'] or window['pointSize']
                self.assertEqual(style['fontSize'], f"{round(size * 4 / 3, 2):g}px")
                self.assertEqual(style['textAlign'], look['align'])
                self.assertEqual(element.accessible_name, names.get(i, look['spokenName'] or look['caption']))
                self.assertEqual(element.get_attribute('aria-description') or '', look['description'])

    def test_the_window_fills_a_laptops_a_phones_and_a_tablets_screen(self):
        shares = []
        for width, height, touch in ((1280, 800, False), (360, 740, True), (740, 360, True), (1024, 1366, True)):
            with self.subTest(width=width, height=height):
                self.load()
                self.cdp('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=3 if touch else 1,
                         mobile=touch)
                self.cdp('Emulation.setTouchEmulationEnabled', enabled=touch)
                self.press(ABOUT)
                window, box, ok = (self.rect(self.driver.find_element('css selector', part))
                                   for part in ('#window', 'dialog', 'dialog button'))
                # As large as fits whole, centred; the box over it, at its scale.
                self.assertTrue(0.99 <= max(window['width'] / width, window['height'] / height) <= 1)
                self.assertEqual((round(window['x'] * 2 + window['width']), round(window['y'] * 2 + window['height'])),
                                 (width, height))
                self.assertEqual((round(box['x'] * 2 + box['width']), round(box['y'] * 2 + box['height'])),
                                 (width, height))
                shares.append(box['width'] / window['width'])
                if touch:  # a finger's target
                    self.assertGreaterEqual(ok['height'], 44)
                # Two fingers spreading beside the window zoom nothing.
                for spread in range(0, 200, 20):
                    self.cdp('Input.dispatchTouchEvent', type='touchMove' if spread else 'touchStart', touchPoints=[
                        {'x': 30 - spread / 8, 'y': 10, 'id': 1}, {'x': 40 + spread, 'y': 10, 'id': 2}])
                self.cdp('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])
                self.assertEqual(self.js('return visualViewport.scale'), 1)
        self.assertLess(max(shares) - min(shares), 0.01)

    def test_a_whole_round(self):
        self.load()
        self.press(TITLE)
        self.assert_told('intro')
        announced = 'return document.getElementById("announcer").textContent'
        self.assertEqual(self.js(announced), self.controls[PROMPT_LABEL].accessible_name)  # spoken as it appears
        self.assertEqual(self.js('return [t.tick(1), prompted(), v.timers[0].ticking]'), [None, 0, True])
        self.press(ACTIONS[0], 3)
        self.press(ACTIONS[1], 2)
        self.controls[ACTIONS[0]].send_keys(Keys.SPACE, Keys.ENTER)  # no first aid from the keyboard,
        self.js(f'v.controls[{ACTIONS[0]}].click()')  # nor from a click alone
        self.press(ABOUT)
        self.pointer(ACTIONS[0], True)  # nor under a message box
        self.assertEqual(self.style(ACTIONS[0])['backgroundColor'], self.looks[ACTIONS[0]]['faceColour'])
        self.pointer(ACTIONS[0], False)
        self.told()
        # The music starts again from its beginning.
        self.assertTrue(self.js('const before = v.channels[0].source; t.tick(2); return v.channels[0].source !== before'))
        self.js('for (let i = 1; i < 30; ++i) { t.draws.push(0.5, ((prompted() + 1) % 3 + 0.5) / 3);'
                ' t.tick(0); t.tick(1); }')
        held = ACTIONS[self.js('return prompted()')]
        self.pointer(held, True)  # held as the round ends, let go under the ending's first box: nothing more
        self.js('t.tick(0)')
        self.pointer(held, False)
        self.assert_told('DeathAfterCloseCall')
        self.assertEqual(stem(self.js('return scene()')), 'end')
        self.assertTrue(self.js('return !!v.channels[p.sounds.findIndex((f) => stem(f) === arguments[0])].source',
                                TELLINGS['DeathAfterCloseCall'][1]))  # the ending's sound heard
        # A triple click on the scene: back to the title, nothing, the intro.
        for count in (1, 2, 3):
            for kind in ('mousePressed', 'mouseReleased'):
                self.cdp('Input.dispatchMouseEvent', type=kind, button='left', clickCount=count,
                         **dict(zip('xy', self.centre(SCENE))))
            if count == 2:
                self.assertEqual(self.js(f'return [v.controls[{TITLE}].hidden, document.querySelector("dialog")]'),
                                 [False, None])
        self.assert_told('intro')
        self.press(HEAVY)
        self.assertEqual(self.controls[HEAVY].get_attribute('aria-pressed'), 'true')
        self.assertEqual(self.style(HEAVY)['backgroundColor'], self.looks[HEAVY]['pressedFace'])
        self.assertEqual(self.style(LIGHT)['backgroundColor'], self.looks[LIGHT]['faceColour'])
        self.controls[HEAVY].send_keys(Keys.ARROW_UP)  # one group: Tab enters it once, the arrows move the choice
        self.assertEqual(self.js(f'return [v.controls[{LIGHT}] === document.activeElement, v.controls[{HEAVY}].tabIndex]'),
                         [True, -1])
        self.assertEqual(self.controls[LIGHT].get_attribute('aria-pressed'), 'true')

    def test_an_action_button_acts_while_any_pointer_holds_it(self):
        self.load()
        self.pointer(TITLE, True, 'touch')
        self.pointer(TITLE, False, 'touch')
        self.told()
        # Sound only from a gesture the browser lets it start with: a finger's, as it comes up.
        self.assertEqual([e for e in self.driver.get_log('browser') if 'AudioContext' in e['message']], [])
        for kind, button in (('mouse', 'left'), ('mouse', 'middle'), ('mouse', 'right'), ('touch', ''), ('pen', 'left')):
            for k, control in enumerate(ACTIONS):
                with self.subTest(kind=kind, button=button, action=k):
                    self.pointer(control, True, kind, button)
                    self.assertEqual(stem(self.js('return scene()')), f'{k + 1}')
                    self.assertEqual(self.style(control)['backgroundColor'], self.looks[control]['pressedFace'])
                    self.pointer(control, False, kind, button)
                    self.assertEqual(stem(self.js('return scene()')), '0')
                    self.assertEqual(self.style(control)['backgroundColor'], self.looks[control]['faceColour'])
        # A second mouse button pressed while the first holds it presses again;
        # a touch the browser cancels lets go.
        self.pointer(ACTIONS[0], True, buttons=1)
        self.pointer(ACTIONS[0], True, button='right', buttons=3)
        self.pointer(ACTIONS[0], False, button='right', buttons=1)
        self.pointer(ACTIONS[0], False)
        self.pointer(ACTIONS[1], True, 'touch')
        self.pointer(ACTIONS[1], False, 'touch', touch='touchCancel')
        self.assertEqual(stem(self.js('return scene()')), '0')
        self.assertEqual(self.style(ACTIONS[1])['backgroundColor'], self.looks[ACTIONS[1]]['faceColour'])
        self.assertEqual([self.controls[HITS].text, self.controls[MISSES].text], ['7', '11'])

    def test_the_timers_tick_on_their_own_and_the_music_loops_from_the_first_gesture(self):
        # Prompts 1.8 s apart, each for another action than the one before.
        self.load(draws=[0.0, 0.5] + [draw for k in range(1, 30) for draw in (0.5, (k % 3 + 0.5) / 3)], held=False)
        self.js('t.plays = []; const play = v.playSound;'
                'v.playSound = (sound) => { if (sound === p.music) t.plays.push(performance.now()); play.call(v, sound); }')
        self.advance(5000)
        gesture = self.js('return performance.now()')
        self.press(TITLE)
        while not self.js('return t.plays.length'):  # the music decoded, it starts
            self.advance(10)
        for _ in TELLINGS['intro'][0]:  # a box closes at the browser's next frame
            self.driver.find_element('css selector', 'dialog button').click()
            self.advance(100)
        self.advance(1000)  # the prompt's flash is over, the next prompt not yet there
        self.assertEqual(self.js(f'return [v.controls[{PROMPT_LABEL}].hidden, v.controls[{ACTIONS[0]}].hidden]'),
                         [True, False])
        self.advance(60000)  # thirty prompts, no press: the ending
        self.assertEqual(self.js('return [stem(scene()), document.querySelectorAll("dialog").length]'),
                         [TELLINGS['Death'][0][0], 1])
        period = self.js('return v.soundLengthMs(p.music)')
        start, *plays = self.js('return t.plays')
        self.assertTrue(0 <= start - gesture < 500)
        self.assertEqual([round(time - start) for time in plays], [period, 2 * period])

    def test_the_game_plays_before_its_sounds_come_and_a_sound_cuts_off_only_its_own(self):
        self.server.faults = {sound.name: 'stalled' for sound in pathlib.Path(PAGE).glob('*.mp3')}
        self.load(until='page')
        self.press(TITLE)
        self.assert_told('intro')
        self.press(ACTIONS[0])
        self.assertEqual(self.js('return [t.loaded, v.channels.filter((c) => c.source).length]'), [None, 0])
        self.server.released.set()
        self.wait('pokoriTest.loaded && !!pokoriTest.view.channels[0].source')  # the music heard once in
        # Time stands still for the sounds, so that none ends of itself.
        self.js('t.stops = []; const stop = AudioScheduledSourceNode.prototype.stop;'
                'AudioScheduledSourceNode.prototype.stop = function () {'
                ' t.stops.push(v.channels.findIndex((c) => c.source === this)); return stop.call(this); };'
                'v.audio.resume = async () => {}; return v.audio.suspend()')
        for action in (0, 1, 0):
            self.press(ACTIONS[action])
        # The music, then each action's sound, by the game's numbers: the first's alone cut off.
        self.assertEqual(self.js('return [t.stops, v.channels.flatMap((c, i) => c.source ? [i] : [])]'), [[1], [0, 1, 2]])

    def test_a_page_without_its_code_type_or_first_pictures_says_so(self):
        self.load()
        page = self.js('return {font: document.querySelector("link[as=font]").getAttribute("href"),'
                       ' title: p.startUpPictures[0], story: p.pictures.find((f) => stem(f) === "img1"),'
                       ' music: p.sounds[p.music]}')
        for fault, file in (('stalled', 'pokori.wasm'), ('page', 'pokori.wasm'), ('missing', 'pokori.js'),
                            ('missing', 'page.js'), ('missing', page['font']), ('missing', page['title'])):
            with self.subTest(fault=fault, file=file):
                self.server.stop()
                self.server = PageServer(PAGE)
                self.server.faults = {file: fault}
                self.load(until=None)
                if fault == 'stalled':
                    self.assertEqual(self.shown(), ['loading'])
                elif file == page['title']:  # the game's own error, and nothing of the window behind it
                    self.wait('document.querySelector("dialog")')
                    self.assertEqual(self.shown(), ['DIALOG'])
                    self.assertIn(self.server.url + file, self.driver.find_element('tag name', 'dialog').text)
                else:
                    self.wait('document.documentElement.classList.contains("failed")')
                    self.assertEqual(self.shown(), ['failed'])
        # A picture cut short stops the game as it is shown, and a sound missing is silent.
        self.server.faults = {page['story']: 'cut', page['music']: 'missing'}
        self.load()
        self.assertEqual(self.js('return v.timers[2].ticking'), False)
        self.press(TITLE)
        told = self.told()
        self.assertEqual([scene for _, scene in told], ['0', '0'])  # the last picture stays under the error
        self.assertIn(self.server.url + page['story'], told[1][0])
        self.press(SCENE)
        self.assertEqual(self.told(), [])
        self.assertEqual(self.js('return v.timers.map((timer) => timer.ticking)'), [False, False, False])

    def test_a_new_build_runs_by_the_second_visit_and_a_silent_server_is_not_waited_for(self):
        for caching, new_version in itertools.product(('max-age=600', 'no-cache'), (False, True)):
            with self.subTest(caching=caching, new_version=new_version):
                self.server.stop()
                self.server = PageServer(PAGE)  # an origin of its own: no worker, no cache
                self.server.headers = {'Cache-Control': caching}
                self.load(until=None)
                self.wait('navigator.serviceWorker.getRegistration().then((r) => r?.active?.state === "activated")')
                old = self.js('return p.version')
                # Built again, changed, its files' times kept: the HTTP cache's
                # copies still look current. A new version is in the code alone.
                version = old[:-1] + str((int(old[-1]) + 1) % 10) if new_version else old
                rebuilt = self.enterContext(tempfile.TemporaryDirectory())
                shutil.copytree(PAGE, rebuilt, dirs_exist_ok=True)
                for file, before, after in (('index.html', '<html lang="ja">', '<html lang="ja" data-build="new">'),
                                            ('page.js', "'use strict';", "'use strict'; globalThis.build = 'new';"),
                                            ('pokori.wasm', old, version)):
                    path = pathlib.Path(rebuilt, file)
                    path.write_bytes(path.read_bytes().replace(before.encode(), after.encode()))
                    shutil.copystat(pathlib.Path(PAGE, file), path)
                subprocess.run([CMAKE, f'-Dpage_dir={rebuilt}', f'-Dsettings={SETTINGS}', '-P',
                                pathlib.Path(__file__).parent.parent / 'service_worker.cmake'], check=True)
                self.server.folder = rebuilt
                builds = 'return [document.documentElement.dataset.build, globalThis.build, pokoriTest.page.version]'
                self.load()
                self.assertEqual(self.driver.execute_script(builds), [None, None, old])  # the first visit: the build kept,
                self.wait('navigator.serviceWorker.getRegistration().then(async (r) => !r.installing'
                          ' && (await caches.keys()).filter((name) => name.startsWith("pokori-build-")).length === 2)')
                # whose every file it still gets, the new build kept beside it
                self.assertFalse(self.js('return fetch("page.js").then((r) => r.text()).then((s) => s.includes("build ="))'))
                self.driver.refresh()
                self.wait('pokoriTest.loaded')
                self.assertEqual(self.driver.execute_script(builds), ['new', 'new', version])  # the second: the new one, whole
                self.server.open.clear()
                self.cdp('Network.clearBrowserCache')  # the page's own cache alone is left
                self.load()
                self.assertEqual(self.driver.execute_script(builds), ['new', 'new', version])
                self.press(TITLE)
                self.assert_told('intro')

if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
