#!/usr/bin/python3
# The web page as a player meets it, in Debian's Chromium, headless and
# offline, served from 127.0.0.1, with the draws scripted and the timers ticked
# by the test: what only the page's view does. The window against the game's
# own table, one whole round, double clicks, the pace group, presses with
# every kind of pointer, modal message boxes, a missing picture, and a second
# visit with the server gone.
#
# Usage: test_page.py PAGE_FOLDER TELLINGS_FILE [TEST_NAME...]
import http.server
import json
import sys
import tempfile
import threading
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.expected_conditions import staleness_of
from selenium.webdriver.support.wait import WebDriverWait

PAGE, TELLINGS = sys.argv[1:3]
# The window's controls, in the game's order (game/window_layout.h); the
# timers the page ticks at the test's word are the game's too: t.tick(0) the
# prompts, 1 the flash, 2 the music.
SCENE, PROMPT_LABEL, SUFFIX, TITLE, HINT, HIT_CAPTION, MISS_CAPTION, HITS, MISSES, *ACTIONS = range(12)
ABOUT, LIGHT, HEAVY = range(12, 15)


def stem(file):
    return None if file == '-' else file.split('.')[0]


# What a player sees and hears of each story: the pictures under its
# messages and the sound after the last, by the files' stems.
TELLINGS = {row[0]: ([stem(p) for p in row[1:-1]], stem(row[-1]))
            for row in (line.split() for line in open(TELLINGS, encoding='utf-8')) if row and row[0][0] != '#'}


class Server(http.server.ThreadingHTTPServer):
    # The page's folder on a port of its own, less the files taken away.

    def __init__(self, missing=()):
        class Handler(http.server.SimpleHTTPRequestHandler):
            def __init__(self, *args):
                super().__init__(*args, directory=PAGE)

            def do_GET(self):
                return self.send_error(404) if self.path.lstrip('/') in missing else super().do_GET()

            def log_message(self, *args):
                pass

        super().__init__(('127.0.0.1', 0), Handler)
        threading.Thread(target=self.serve_forever, daemon=True).start()
        self.url = f'http://127.0.0.1:{self.server_address[1]}/'

    def stop(self):
        self.shutdown()
        self.server_close()


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        options = webdriver.ChromeOptions()
        for argument in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                         '--disable-background-networking', '--disable-component-update', '--disable-sync',
                         '--window-size=500,600', f'--user-data-dir={tempfile.mkdtemp()}'):
            options.add_argument(argument)
        cls.driver = webdriver.Chrome(options=options, service=Service('/usr/bin/chromedriver'))

        cls.addClassCleanup(cls.driver.quit)

    def setUp(self):
        self.server = Server()
        self.addCleanup(lambda: self.server.stop())

    def load(self, draws=(0.0, 0.5)):
        script = self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {
            'source': f'globalThis.pokoriTest = {{draws: {json.dumps(list(draws))}}};'})
        self.driver.get(self.server.url)
        self.driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument', script)
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script('return !!pokoriTest.view'))
        # Every text the game hands the page for a message box, to be shown as it stands.
        self.js('t.texts = []; const open = v.openBox; v.openBox = (text) => open.call(v, t.texts.push(text) && text)')
        self.controls = self.driver.find_elements('css selector', '#window > *')
        self.looks = self.js('return p.controls')

    def js(self, script, *args):
        return self.driver.execute_script(
            'const t = pokoriTest, v = t.view, p = t.page;'
            f'const scene = () => [...v.pictures].find(([, p]) => p.url === v.controls[{SCENE}].firstChild.src)?.[0];'
            f'const prompted = () => p.controls.findIndex((c) => c.kind === "action"'
            f' && c.caption === v.controls[{PROMPT_LABEL}].textContent) - {ACTIONS[0]};' + script, *args)

    def told(self):
        # Each message box open, in turn: its text and the picture under it; each dismissed.
        told = []
        while box := self.driver.find_elements('css selector', 'dialog[open]'):
            self.assertEqual(box[-1].find_element('tag name', 'h1').text, self.js('return p.title'))
            self.assertEqual(box[-1].find_element('tag name', 'p').text, self.js('return t.texts.shift()').replace('\r\n', '\n'))
            told.append((box[-1].find_element('tag name', 'p').text, stem(self.js('return scene()') or '-')))
            box[-1].find_element('tag name', 'button').click()
            WebDriverWait(self.driver, 5).until(staleness_of(box[-1]))
        return told

    def assert_told(self, story):
        self.assertEqual([scene for _, scene in self.told()], TELLINGS[story][0])

    def pointer(self, control, down, kind='mouse', button='left'):
        # A pointer goes down on a control, or comes up from it, as the browser's own input.
        box = self.controls[control].rect
        x, y = box['x'] + box['width'] / 2, box['y'] + box['height'] / 2
        if kind == 'touch':
            self.driver.execute_cdp_cmd('Input.dispatchTouchEvent', {
                'type': 'touchStart' if down else 'touchEnd', 'touchPoints': [{'x': x, 'y': y}] if down else []})
        else:
            self.driver.execute_cdp_cmd('Input.dispatchMouseEvent', {
                'type': 'mousePressed' if down else 'mouseReleased', 'x': x, 'y': y, 'button': button,
                'clickCount': 1, 'pointerType': kind})

    def press(self, control, times=1):
        for _ in range(times):
            self.pointer(control, True)
            self.pointer(control, False)

    def style(self, control):
        return self.js('const s = getComputedStyle(arguments[0]);'
                       'return {backgroundColor: s.backgroundColor, color: s.color, fontSize: s.fontSize,'
                       ' textAlign: s.textAlign}', self.controls[control])

    def counts(self):
        return self.controls[HITS].text + '/' + self.controls[MISSES].text

    def test_every_control_is_drawn_from_the_games_table(self):
        self.load()
        window = self.js('return p.window')
        self.assertEqual(self.driver.title, self.js('return p.title'))
        origin = self.js('return document.getElementById("window").getBoundingClientRect()')
        self.assertEqual((origin['width'], origin['height']), (window['width'], window['height']))
        self.assertEqual(self.js('return [...document.fonts].map((f) => f.status)'), ['loaded'])
        cap = [look['caption'] for look in self.looks]
        names = {PROMPT_LABEL: f'{cap[PROMPT_LABEL]} {cap[SUFFIX]}', HITS: f'{cap[HIT_CAPTION]} 0',
                 MISSES: f'{cap[MISS_CAPTION]} 0'}
        for title_shown in (False, True):
            self.js('v.controls.forEach((c, i) => { c.hidden = i === arguments[0] ? !arguments[1] : false; })',
                    TITLE, title_shown)
            for i, look in enumerate(self.looks):
                if title_shown != (i == TITLE):
                    continue
                with self.subTest(control=i):
                    element, style, box = self.controls[i], self.style(i), self.controls[i].rect
                    self.assertEqual((box['x'] - origin['x'], box['y'] - origin['y'], box['width'], box['height']),
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
                    # Over every control before it, under every one shown after it, inside the window.
                    front = [f for j, f in enumerate(self.looks) if j > i and (j != TITLE or title_shown)]
                    point = next(((x + 0.5, y + 0.5) for x in range(look['x'], min(look['x'] + look['width'], 282))
                                  for y in range(look['y'], min(look['y'] + look['height'], 381))
                                  if not any(f['x'] <= x < f['x'] + f['width'] and f['y'] <= y < f['y'] + f['height']
                                             for f in front)))
                    self.assertTrue(self.js('return arguments[0].contains(document.elementFromPoint(...arguments[1]))',
                                            element, [origin['x'] + point[0], origin['y'] + point[1]]))

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
        [(about, _)] = self.told()
        self.assertIn(self.js('return p.version'), about)
        # The music starts again from its beginning.
        self.assertTrue(self.js('const before = v.channels[0].source; t.tick(2); return v.channels[0].source !== before'))
        self.js('for (let i = 1; i < 30; ++i) { t.draws.push(0.5, ((prompted() + 1) % 3 + 0.5) / 3);'
                ' t.tick(0); t.tick(1); }')
        self.assertEqual(self.counts(), '3/2')
        self.js('t.tick(0)')
        self.assert_told('DeathAfterCloseCall')
        [scene, ticking] = self.js('return [scene(), v.timers[0].ticking]')
        self.assertEqual((stem(scene), ticking), ('end', False))
        playing = {stem(f) for f in self.js('return p.sounds.filter((f, i) => v.channels[i].source)')}
        endings = {sound for _, sound in TELLINGS.values()} - {None}
        self.assertEqual(playing & endings, {TELLINGS['DeathAfterCloseCall'][1]})
        # A double click on the scene goes back to the title, and no further.
        ActionChains(self.driver).double_click(self.controls[SCENE]).perform()
        self.assertEqual(self.js(f'return [v.controls[{TITLE}].hidden, document.querySelector("dialog")]'),
                         [False, None])

    def test_the_pace_choice_is_one_group(self):
        self.load()
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
        self.press(TITLE)
        self.told()
        for kind, button in (('mouse', 'left'), ('mouse', 'middle'), ('mouse', 'right'), ('touch', ''), ('pen', 'left')):
            for k, control in enumerate(ACTIONS):
                with self.subTest(kind=kind, button=button, action=k):
                    self.pointer(control, True, kind, button)
                    self.assertEqual(stem(self.js('return scene()')), f'{k + 1}')
                    self.assertEqual(self.style(control)['backgroundColor'], self.looks[control]['pressedFace'])
                    self.pointer(control, False, kind, button)
                    self.assertEqual(stem(self.js('return scene()')), '0')
                    self.assertEqual(self.style(control)['backgroundColor'], self.looks[control]['faceColour'])
        self.assertEqual(self.counts(), '5/10')

    def test_a_missing_picture_stops_the_game_and_a_missing_sound_is_silent(self):
        self.load()
        # The page's own names for the intro's second picture and the music, then
        # a server of another origin, whose page has kept nothing, without them.
        [picture, music] = self.js('return [p.pictures.find((f) => f.split(".")[0] === "img1"), p.sounds[0]]')
        self.server.stop()
        self.server = Server(missing={picture, music})
        self.load()
        self.assertEqual(self.js('return [v.timers[2].ticking, document.querySelector("dialog")]'), [False, None])
        self.press(TITLE)
        told = self.told()
        self.assertEqual([scene for _, scene in told], ['0', '0'])  # the last picture stays under the error
        self.assertIn(self.server.url + picture, told[1][0])
        self.press(SCENE)
        self.assertEqual(self.told(), [])
        self.assertEqual(self.js('return v.timers.map((timer) => timer.ticking)'), [False, False, False])

    def test_the_page_plays_again_offline_after_a_first_visit(self):
        self.load()
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script('return !!navigator.serviceWorker.controller'))
        self.server.stop()
        self.driver.execute_cdp_cmd('Network.clearBrowserCache', {})  # the page's own cache alone is left
        self.load()
        self.press(TITLE)
        self.assert_told('intro')


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)
