#!/usr/bin/python3
"""The game on a phone: build-web/ (WEB_DIR) in headless Chromium made a touch
phone through its DevTools protocol (412 x 915 CSS pixels at a device pixel
ratio of 2, touch only, upright and on its side), played with real touches on
the controls, found by the keys they stand for; the GL context taken away and
given back; the page installed and played offline."""
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from page import AMBER_TRAP, BLUE_TRAP, CLOCK, LISTEN, TRAP, WHITE, Page, serve, stop

# Before the page's scripts: how often the page's sound output is suspended, in window.suspensions.
COUNT_SUSPENSIONS = """window.suspensions = 0;
const suspend = AudioContext.prototype.suspend;
AudioContext.prototype.suspend = function () { ++window.suspensions; return suspend.call(this); };"""
# Before the page's scripts: five bests of S games kept in the page's storage.
FIVE_BESTS = "localStorage.setItem('gorvath/bests.txt', 'gorvath bests 1\\n' + [1, 2, 3, 4, 5].map(place => " \
             "`S ${place}000 2026-12-0${place}T20:00:00 s-${place}.txt\\n`).join('') + 'end\\n');"
# Each of the panel's views: what shows it, and the controls it shows.
VIEWS = {"the games' panel": ("#panel", ["#save", "#open", "#share"]),
         "the bests of S games": ("[data-tab=S]", [f"[data-best=S{place}][data-act={act}]" for place in range(1, 6)
                                                   for act in ("watch", "save", "share")])}
CONTROLS = "KeyS KeyA ArrowUp ArrowDown ArrowLeft ArrowRight Space KeyF KeyP KeyM F11".split()
DIMMED, CORNER = (140, 140, 140), (0.9, -0.6)  # the white field under the pause sign, and where to look


class Phone(Page):
    def phone(self, *scripts, width=412, height=915, site=None):
        self.open(*scripts, width=width, height=height, scale=2, mobile=True, site=site)

    def new_game(self, *scripts):
        """A phone's page, upright, and an S game begun by its control."""
        self.phone(*scripts)
        self.tap("KeyS")
        self.await_colour(TRAP, BLUE_TRAP, "S: no game")

    def trap_x(self):
        """Where the Trap's left edge is, just under the top of the field."""
        row = self.shot(-1, 0.645, 1, 0.635)
        return next(x for x in range(row.width)
                    if max(abs(a - b) for a, b in zip(row.getpixel((x, 0)), BLUE_TRAP)) < 24)

    def test_each_control_acts_as_its_key_upright(self):
        # On the test's clock, a step each time the test looks: each game's keys long before the wave comes.
        self.new_game(CLOCK, LISTEN, COUNT_SUSPENSIONS)
        self.until(lambda: self.js("window.loudest") > 0.05, "no sound from the first touch on")
        woken = self.js("window.suspensions")
        self.tap("KeyF")
        self.until(lambda: self.drawn(-0.04, 0.55, 0.02, -0.6), "F: no bomb")  # under the Trap
        for _ in range(5):
            self.tap("Space")
            self.until(lambda: self.drawn(-0.85, 0.1, 0.4, -0.1), "SPACE: no shot")
        self.assertEqual(self.js("window.suspensions"), woken, "the sound cut as a finger lifts")
        player_top = lambda: self.drawn(-1, 0.66, -0.8, -0.66)[1]  # noqa: E731
        for code, sign, where in (("ArrowUp", -1, player_top), ("ArrowDown", 1, player_top),
                                  ("ArrowLeft", -1, self.trap_x), ("ArrowRight", 1, self.trap_x)):
            self.new_game(CLOCK)
            before = where()
            self.tap(code)
            self.until(lambda: (where() - before) * sign > 3, f"{code}: nothing moves")
        self.new_game(CLOCK, LISTEN)
        self.until(lambda: self.js("window.loudest") > 0.05, "the start not heard")
        self.tap("KeyP")
        self.await_colour(CORNER, DIMMED, "P: not paused", 2)
        self.tap("KeyP")
        self.await_colour(CORNER, WHITE, "P: still paused", 0)
        self.tap("KeyM")
        self.quiet()  # the start's sound played out
        self.js("window.loudest = 0")
        self.tap("Space")
        self.until(lambda: self.drawn(-0.85, 0.1, 0.4, -0.1), "SPACE: no shot")
        self.sounded(0.5)  # the shot's sound, had it been heard
        self.assertEqual(self.js("window.loudest"), 0, "M: the shot heard")
        for full in ("game", None):
            self.tap("F11")
            self.until(lambda: self.js("document.fullscreenElement?.id") == full, f"full screen: not {full}")
        self.phone()
        self.tap("KeyA")
        self.await_colour(TRAP, AMBER_TRAP, "A: no game")

    def test_upright_and_on_its_side_the_controls_lie_whole_off_the_field_and_a_rotation_keeps_the_game(self):
        for width, height in ((360, 640), (640, 360), (412, 915), (768, 1024), (1024, 768), (915, 412)):
            self.phone(FIVE_BESTS, width=width, height=height)
            self.lie_whole_off_the_field(width, height, {"the game's controls": (None, CONTROLS + ["#panel"]), **VIEWS})
            self.tap("#panel")
        self.until(lambda: self.js("document.querySelector('[data-key=KeyS]').offsetParent"), "the panel stays")
        self.measure()
        self.tap("KeyS")
        self.await_colour(TRAP, BLUE_TRAP, "S: no game")
        self.tap("ArrowRight")  # the Trap a step right of where a new game has it
        self.await_colour((0.1, 0.64), BLUE_TRAP, "the Trap stands")
        self.screen(412, 915, 2, True)  # turned upright
        self.until(lambda: self.js("innerWidth") == 412, "not turned")
        self.frames(2)
        self.measure()
        self.await_colour((0.1, 0.64), BLUE_TRAP, "upright, not the same game")
        self.assertEqual(self.colour(*CORNER), WHITE, "paused")

    def test_two_fingers_act_at_once_and_no_finger_leaves_a_control_held(self):
        self.new_game(CLOCK)  # a step each time the test looks: the wave never comes
        start = self.trap_x()
        self.hold("ArrowLeft")
        self.until(lambda: self.trap_x() < start - 3, "Left: the Trap stands")
        before = self.trap_x()
        self.hold("ArrowLeft", "Space")  # a thumb on Left, the other finger fires
        self.until(lambda: self.drawn(-0.85, 0.3, 0.4, -0.3), "no shot")
        self.until(lambda: self.trap_x() < before - 3, "Left not repeating, or let go by the second finger")
        self.assertEqual(self.held(), ["ArrowLeft", "Space"])
        self.touch("touchEnd")
        for name, (kind, *where) in {"lifted": ["touchEnd"], "cancelled": ["touchCancel"],
                                     "slid off": ["touchMove", self.at(0, 0)]}.items():
            self.new_game(CLOCK)
            self.hold("ArrowLeft")
            self.until(lambda: self.held() == ["ArrowLeft"], f"{name}: not held")
            self.touch(kind, *where)
            self.assertEqual(self.held(), [], name)
            before = self.trap_x()
            self.js("tick(60)")  # a second: longer than a held key takes to repeat
            self.assertEqual(self.trap_x(), before, f"{name}: the Trap goes on moving")
            if where:
                self.touch("touchEnd")

    def test_bad_touches_break_nothing_and_leave_nothing_held(self):
        self.phone()
        middle, (x0, y0, x1, y1) = self.at(0, 0), self.box("KeyS")
        cases = {"on the field": [("touchStart", middle)],
                 "from the field onto a control": [("touchStart", middle), ("touchMove", ((x0 + x1) / 2, y1 - 2))],
                 "a pinch": [("touchStart", self.at(-0.1, 0), self.at(0.1, 0)),
                             ("touchMove", self.at(-0.6, 0), self.at(0.6, 0))],
                 "a double tap": [("touchStart", middle), ("touchEnd",), ("touchStart", middle)]}
        for name, touches in cases.items():
            for kind, *points in touches + [("touchEnd",)]:
                self.touch(kind, *points)
            self.assertEqual(self.held(), [], name)
            self.assertEqual(self.js("[visualViewport.scale, scrollX, scrollY]"), [1, 0, 0], f"{name}: zoomed")
            self.assertEqual(self.js("document.getSelection().toString()"), "", name)
            self.assertEqual(self.colour(*TRAP), WHITE, f"{name}: a game begun")
        self.hold(*CONTROLS[:10])  # ten fingers, S to M
        self.touch("touchEnd")
        self.assertEqual(self.held(), [], "ten fingers")
        self.assertEqual(self.js("document.title"), "Gorvath (paused)", "ten fingers: an S game, paused")
        self.tap("KeyP")
        self.await_colour(TRAP, BLUE_TRAP, "still paused")

    def test_the_gl_context_taken_and_given_back_leaves_the_game_paused_as_it_stood(self):
        self.new_game()
        self.js("window.lose = Module.canvas.getContext('webgl2').getExtension('WEBGL_lose_context')")
        self.tap("KeyP")
        self.await_colour(CORNER, DIMMED, "P: not paused", 2)
        paused = self.shot().tobytes()
        for _ in range(2):  # twice in a row, the game paused
            self.js("lose.loseContext()")
            self.until(lambda: self.js("Module.canvas.getContext('webgl2').isContextLost()"), "not lost")
            self.js("lose.restoreContext()")
            self.until(lambda: self.shot().tobytes() == paused, "not the picture from before")
        self.tap("KeyP")
        self.await_colour(CORNER, WHITE, "P: still paused", 0)
        self.js("lose.loseContext()")  # running, and not given back for a while
        self.until(lambda: self.js("document.title") == "Gorvath (paused)", "lost: not paused")
        self.until(lambda: "taken the game's picture away" in self.js("document.body.innerText"), "not said")
        self.js("lose.restoreContext()")
        self.await_colour(CORNER, DIMMED, "running again after the loss", 2)
        self.assertTrue(self.js("document.getElementById('message').hidden"), "still said")
        self.tap("KeyP")
        self.await_colour(CORNER, WHITE, "P: still paused", 0)

    def offline_site(self):
        """build-web/ copied into a folder of a site, games/gorvath/, as game sites and GitHub Pages serve a
        game: the folder's address, and the copy."""
        root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, root)
        build = os.path.join(root, "games", "gorvath")
        shutil.copytree(os.environ["WEB_DIR"], build)
        return serve(root) + "games/gorvath/", build

    def kept(self):
        return self.driver.execute_async_script("caches.keys().then(arguments[0])")

    def deploy(self, build, command, *worker):
        """A new build on the server, made by the shell command in its folder: its version, as kept."""
        subprocess.run(command, shell=True, cwd=build, check=True)
        subprocess.run([os.environ["SOURCE_DIR"] + "/scripts/web-offline.sh", build, *worker], check=True)
        with open(os.path.join(build, "service-worker.js")) as worker:
            return "gorvath-" + re.search(r'version: "(\w+)"', worker.read())[1]

    def test_installed_in_a_folder_of_a_site_it_plays_offline_and_takes_only_a_whole_new_build(self):
        site, build = self.offline_site()
        self.phone(site=site + "index.html")  # a visit to the page
        self.assertEqual(self.driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"], [])
        self.until(lambda: self.js("navigator.serviceWorker.controller"), "not kept")
        self.assertEqual(self.driver.execute_async_script(
            "navigator.serviceWorker.getRegistration().then(r => arguments[0](r.scope))"), site)
        # Where the installed game starts from its home-screen icon: the manifest's start_url.
        start = self.driver.execute_async_script("""const [manifest, done] = arguments;
            fetch(manifest).then(r => r.json()).then(m => done(new URL(m.start_url, manifest).href));""",
                                                 site + "manifest.webmanifest")
        # A new build on the server: a page and a script that say so.
        second = self.deploy(build, "sed -i 's/<title>/<meta name=build><title>/' index.html && "
                                    "echo 'secondBuild = 1' >>gorvath.js")
        which = "[document.querySelector('meta[name=build]') !== null, window.secondBuild === 1]"
        self.phone(site=start)
        self.assertEqual(self.js(which), [False, False], "the kept build, whole, this once")
        self.until(lambda: self.kept() == [second], "the new build not kept")  # and the old one gone
        self.phone(site=start)
        self.assertEqual(self.js(which), [True, True], "the new build, whole, on the next visit")
        # Half deployed: a new worker, and one file on the server that is not its build's. Refused whole.
        worker = os.path.join(build, "..", "worker.js")
        shutil.copy(os.path.join(os.environ["SOURCE_DIR"], "web", "service-worker.js"), worker)
        with open(worker, "a") as changed:
            changed.write("// a change to the worker alone\n")
        self.assertNotEqual(self.deploy(build, "true", worker), second, "the same version")
        with open(os.path.join(build, "gorvath.data"), "r+b") as data:
            data.write(b"half")
        self.assertEqual(self.driver.execute_async_script("""const done = arguments[0];
            navigator.serviceWorker.getRegistration().then(r => r.update().then(() => {
                const incoming = r.installing;
                incoming.onstatechange = () => incoming.state !== "installing" && done(incoming.state);
            })).catch(error => done(String(error)));"""), "redundant", "the half build installed")
        self.assertEqual(self.kept(), [second], "the kept build touched")
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        stop(site[:-len("games/gorvath/")])
        self.phone(site=start)  # the server gone and the browser's cache of no help: the kept build plays
        self.assertEqual(self.js(which), [True, True], "not the kept build")
        self.tap("KeyS")
        self.await_colour(TRAP, BLUE_TRAP, "offline: no game")
        self.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": False})

    def test_the_builds_version_changes_with_every_file_and_the_workers_code(self):
        _, build = self.offline_site()
        versions = [self.deploy(build, "true")]
        for name in sorted(set(os.listdir(build)) - {"service-worker.js"}):
            versions.append(self.deploy(build, f"echo >>{name}"))
        worker = os.path.join(build, "..", "worker.js")
        shutil.copy(os.path.join(os.environ["SOURCE_DIR"], "web", "service-worker.js"), worker)
        with open(worker, "a") as changed:
            changed.write("// a change to the worker alone\n")
        versions.append(self.deploy(build, "true", worker))
        self.assertEqual(len(set(versions)), len(os.listdir(build)) + 1, versions)


if __name__ == "__main__":
    unittest.main(verbosity=2)
