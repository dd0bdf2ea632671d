#!/usr/bin/python3
"""The game as a browser plays it: build-web/ (WEB_DIR) served to headless
Chromium. Keys are the browser's own events, each with its label and its place;
pictures are screenshots; sound is what reaches the page's audio output.
scripts/test.sh builds it."""
import os
import re
import shutil
import tempfile
import unittest

from page import AMBER_TRAP, BLUE_TRAP, LISTEN, TRAP, WHITE, Page, fetched, held, serve

# A pretend gamepad in the standard mapping; window.pad.buttons[i].pressed presses button i.
PAD = """window.pad = { id: "pretend", index: 0, connected: true, mapping: "standard", timestamp: 0, axes: [0, 0, 0, 0],
               buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
navigator.getGamepads = () => [window.pad];"""
# Before the page's scripts: no service worker, which fetches the whole build again to check it.
NO_WORKER = "navigator.serviceWorker.register = () => new Promise(() => {});"
NO_WEBGL2 = """const getContext = HTMLCanvasElement.prototype.getContext;
HTMLCanvasElement.prototype.getContext = function (kind, ...rest) { return kind === "webgl2" ? null : getContext.call(this, kind, ...rest); };"""


class Browser(Page):
    def test_keys_by_their_labels_start_each_game_and_q_ends_it(self):
        self.open()
        self.start()
        self.open()
        self.start("a", "KeyQ", AMBER_TRAP)  # a French keyboard: A where US has Q, Q where US has A
        self.key("q", "KeyA")
        self.until(lambda: "The game is over" in self.js("document.body.innerText"), "Q: not over")
        ended = self.shot().tobytes()
        self.frames(30)
        self.assertEqual(self.shot().tobytes(), ended, "frames after Q")

    def test_the_player_moves_and_fires_and_sound_follows_the_first_key_even_before_the_sounds_arrive(self):
        self.open(LISTEN, held("gorvath-sounds.js"), sounds=False)  # fetched after the first frame, held there
        self.frames(60)
        self.assertEqual(self.js("window.loudest"), 0, "sound on the untouched title screen")
        self.start()  # the first key, the sounds not yet here: they sound once they come, with no other key
        self.js("window.release()")
        self.until(lambda: self.js("Module.soundsHere"), "no sounds")
        self.js("window.loudest = 0")
        self.until(lambda: self.js("window.loudest") > 0.05, "the idle Player's catch not heard")
        self.start()  # a game afresh
        for _ in range(10):
            self.key("ArrowUp", "ArrowUp")  # ten steps up, to where the shot is looked for
        self.quiet()  # the start's sound played out
        self.js("window.loudest = 0")
        self.key(" ", "Space")
        self.until(lambda: self.drawn(-0.85, 0.35, -0.2, 0.25), "no shot")
        self.until(lambda: self.js("window.loudest") > 0.05, "no shot heard")

    def test_p_and_the_page_losing_the_focus_or_the_tab_pause_the_picture_under_a_sign(self):
        self.open()
        self.start()
        hide = "Object.defineProperty(document, 'hidden', { value: %s, configurable: true }) && " \
               "document.dispatchEvent(new Event('visibilitychange'))"
        for name, pause, after in (("P", lambda: self.key("p", "KeyP"), None),
                                   ("blur", lambda: self.js("window.dispatchEvent(new FocusEvent('blur'))"), None),
                                   ("hidden", lambda: self.js(hide % "true"), lambda: self.js(hide % "false"))):
            pause()
            self.until(lambda: self.js("document.title") == "Gorvath (paused)", f"{name}: not paused")
            paused = self.shot()
            self.frames(30)
            self.assertEqual(self.shot().tobytes(), paused.tobytes(), "the picture moved")
            self.assertEqual((self.colour(0.9, -0.6, paused), self.colour(0.065, 0, paused)),
                             ((140, 140, 140), WHITE), "dimmed, under the sign")
            after and after()
            self.key("p", "KeyP")
            self.await_colour((0.9, -0.6), WHITE, f"{name}: still paused", 0)
            self.assertEqual(self.js("document.title"), "Gorvath")

    def test_a_pretend_gamepads_start_begins_a_game_then_pauses_it(self):
        self.open(PAD)
        start = "window.pad.buttons[9].pressed = "
        self.js(start + "true")  # held until the game has seen it, however busy the machine
        self.await_colour(TRAP, BLUE_TRAP, "Start: no S game")
        self.js(start + "false")
        self.frames(2)  # the game has seen it let go
        self.js(start + "true")
        self.until(lambda: self.js("document.title") == "Gorvath (paused)", "Start: not paused")

    def test_at_1200_by_800_the_field_is_letterboxed_and_sharp_at_twice_the_pixels(self):
        self.open(width=1200, height=800, scale=2)
        left, top, width, height = self.field
        panel = self.js("document.getElementById('games').getBoundingClientRect()")
        self.assertEqual((left, top, width, panel["left"]), (0, 0, 1200 - panel["width"], width), "the panel beside")
        self.assertLess(height, 800, "the keys' line under the canvas")
        self.assertEqual(self.js("[...document.querySelectorAll('[data-key]')].filter(e => e.offsetWidth)"), [],
                         "touch controls on a desktop page")
        self.assertEqual(self.js("[Module.canvas.width, Module.canvas.height]"), [round(2 * width), round(2 * height)])
        unit = min(width // 3, height // 2)
        shot, down = self.shot(), (height - 2 * unit) / 2  # the bars above and below the field
        self.assertGreater(down, 10)
        self.assertEqual([shot.getpixel((int(width / 2), int(y))) for y in (down / 2, height - down / 2)],
                         [(0, 0, 0)] * 2)
        self.assertEqual(self.colour(-0.95, 0.6, shot), WHITE)

    def test_a_first_visit_fetches_each_file_once(self):
        site = serve(os.environ["WEB_DIR"])
        self.open(NO_WORKER, site=site)  # and its sounds arrived: all it fetches
        self.assertEqual(set(fetched(site).values()), {1}, fetched(site))
        self.assertTrue({"/gorvath.js", "/gorvath.wasm", "/gorvath.data", "/gorvath-sounds.data"} <= set(fetched(site)))

    def test_without_webgl2_the_page_says_so_and_a_broken_sheet_is_said_on_the_console_as_the_game_goes_on(self):
        self.open(NO_WEBGL2, wait=False)
        self.assertIn("cannot draw WebGL 2", self.js("document.body.innerText"))
        with tempfile.TemporaryDirectory() as broken:
            shutil.copytree(os.environ["WEB_DIR"], broken, dirs_exist_ok=True)
            with open(os.path.join(broken, "gorvath.js")) as script, open(os.path.join(broken, "gorvath.data"),
                                                                          "r+b") as data:
                start, end = map(int, re.search(r'"/textures/explosion.jpg", ?"start": ?(\d+), ?"end": ?(\d+)',
                                                script.read()).groups())
                data.seek(start)
                data.write(bytes(end - start))
            self.open(site=serve(broken))
            self.assertTrue(self.logged("could not load texture file ./textures/explosion.jpg"))
            self.start()


if __name__ == "__main__":
    unittest.main(verbosity=2)
