"""What the tests of the page in headless Chromium share: the page opened at a
size (a desktop's or a phone's), keys, screenshots of it and the field's
points in them, waiting for what a test looks for, and no error on the console
after any test."""
import io
import os
import re
import sys
import time
import unittest

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from headless import CLOCK, choose_file, chromium, fetched, press_recorded_keys, serve, stop  # noqa: E402,F401

BLUE_TRAP, AMBER_TRAP, WHITE, TRAP = (25, 115, 242), (242, 140, 13), (255, 255, 255), (0.05, 0.64)

# Before the page's scripts: the loudest sample the page sends to its speakers, kept in window.loudest; when
# one was last heard, window.heardAt; and the page's audio context, window.audio.
LISTEN = """window.loudest = 0;
window.heardAt = 0;
const connect = AudioNode.prototype.connect;
AudioNode.prototype.connect = function (target, ...rest) {
    if (target instanceof AudioDestinationNode && !target.analyser) {
        const analyser = target.analyser = target.context.createAnalyser(), samples = new Float32Array(2048);
        window.audio = target.context;
        connect.call(analyser, target);
        setInterval(() => analyser.getFloatTimeDomainData(samples) || samples.forEach(s => {
            window.loudest = Math.max(window.loudest, Math.abs(s));
            Math.abs(s) > 0.01 && (window.heardAt = Date.now());
        }), 10);
        connect.call(this, analyser);
    }
    return connect.call(this, target, ...rest);
};"""


def held(script):
    """Before the page's scripts: its script of that name held back as the page adds it, until the test hands
    it on with window.release()."""
    return f"""window.held = [];
const {{ append, appendChild }} = Element.prototype, holds = node => node.src?.endsWith("/{script}");
Element.prototype.append = function (...nodes) {{
    window.held.push(...nodes.filter(holds));
    return append.apply(this, nodes.filter(node => !holds(node)));
}};
Element.prototype.appendChild = function (node) {{ return holds(node) ? window.held.push(node) && node : appendChild.call(this, node); }};
window.release = () => window.held.forEach(node => appendChild.call(document.body, node));"""


class Page(unittest.TestCase):
    """A test of the page in one headless Chromium, with what the tests share: the page opened at a size,
    keys, screenshots and the field's points in them, and no error on the console after any test."""
    @classmethod
    def setUpClass(cls):
        cls.site, cls.driver = serve(os.environ["WEB_DIR"]), chromium()
        cls.addClassCleanup(cls.driver.quit)

    def tearDown(self):
        # The world's board asked for where there is none, or none now: the browser says so, the page does not.
        boardless = re.compile(r"/api/\S+ - Failed to load resource: (the server responded with a status of 404|"
                               r"net::ERR_CONNECTION_REFUSED)")
        self.assertEqual([e["message"] for e in self.console() if e["level"] == "SEVERE" and not
                          boardless.search(e["message"])], [], "console errors")

    def console(self):
        self.log = getattr(self, "log", []) + self.driver.get_log("browser")
        return self.log

    def logged(self, text):
        return any(text in e["message"] for e in self.console())

    def said(self):
        """What the page's panel says."""
        return self.js("document.getElementById('said').textContent")

    def watched(self, ticking=True):
        """What the page says once the recording it shows has played through or parted ways."""
        self.until(lambda: (ticking and self.js("tick(60)")) or " replay " in self.said(), "not played through")
        return self.said()

    def win(self, *scripts, game="s-won", **where):
        """A kept won game played in the page by its keys, each at its step, on the test's clock, with the
        page's time its seed, to a second past its end; the scripts run before the page's."""
        with open(os.path.join(os.environ["SOURCE_DIR"], "tests", "replays", game + ".txt")) as file:
            text = file.read()
        seed, end = re.search(r"seed (\d+)", text)[1], int(re.search(r"step (\d+) end", text)[1])
        self.open(CLOCK, f"Date.now = () => {seed}000;", *scripts, **where)
        self.js(f"tick({end - press_recorded_keys(self.driver, text) + 60})")

    def open(self, *scripts, width=800, height=600, scale=1, mobile=False, site=None, wait=True, sounds=True):
        """The page at that size (a phone's: mobile, touch only, upright or on its side by its shape), after
        the scripts, once it shows its first frame (and, unless not, has its sounds)."""
        cdp = self.driver.execute_cdp_cmd
        self.screen(width, height, scale, mobile)
        added = [cdp("Page.addScriptToEvaluateOnNewDocument", {"source": s})["identifier"] for s in scripts]
        self.driver.get(site or self.site)
        for identifier in added:
            cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": identifier})
        self.ticking = CLOCK in scripts  # and the sounds, fetched after the first frame, here
        self.until(lambda: not wait or self.js("Module.firstFrameAt && " + ("Module.soundsHere" if sounds else "true")),
                   "no first frame or sounds")
        self.measure()

    def screen(self, width, height, scale=1, mobile=False):
        upright = height > width
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile, "screenOrientation":
            {"type": "portraitPrimary" if upright else "landscapePrimary", "angle": 0 if upright else 90}})
        self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": mobile, "maxTouchPoints": 10})

    def measure(self):
        """The canvas's place on the page, in CSS pixels, as it is now."""
        self.field = self.js("[...Object.values(Module.canvas.getBoundingClientRect().toJSON())].slice(0, 4)")

    def js(self, expression):
        return self.driver.execute_script("return " + expression)

    def until(self, ready, failure, seconds=30):
        """Waits for ready() to hold; on the test's clock (CLOCK), a step of the game's run before each look. The
        failure said is a text, or a function that tells it as it stands then."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if getattr(self, "ticking", False):
                self.js("tick(1)")
            if ready():
                return
            time.sleep(0.05)
        self.fail(failure() if callable(failure) else failure)

    def quiet(self):
        """Waits until the page's speakers have been quiet for a quarter of a second (LISTEN)."""
        self.until(lambda: self.js("Date.now() - window.heardAt > 250"), "never quiet")

    def sounded(self, seconds):
        """Waits until the page's audio has played that much more (LISTEN): what would sound by then has."""
        end = self.js("window.audio.currentTime") + seconds
        self.until(lambda: self.js("window.audio.currentTime") > end, "the page's audio stands still")

    def frames(self, count):
        """Waits for that many of the page's frames: the game's frame callback has run since."""
        self.driver.execute_async_script("""const done = arguments[0]; let left = %d;
            const next = () => --left ? requestAnimationFrame(next) : done(); requestAnimationFrame(next);""" % count)

    def key(self, key, code):
        """A key pressed and let go, as the layout labels it (key) and where it sits (code)."""
        for kind in ("keyDown", "keyUp"):
            self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code})

    def shot(self, *area):
        """The page's picture in CSS pixels, or the part of it between the field's two points."""
        picture = Image.open(io.BytesIO(self.driver.get_screenshot_as_png())).convert("RGB")
        picture = picture.resize(tuple(self.js("[innerWidth, innerHeight]")), Image.NEAREST)
        return picture.crop(self.at(*area[:2]) + self.at(*area[2:])) if area else picture

    def at(self, x, y):
        """Where the field's point (x from -1 to 1, y from -2/3 to 2/3) shows on the page."""
        left, top, width, height = self.field
        unit = min(width // 3, height // 2)
        return (int(left + (width - 3 * unit) // 2 + (x + 1) * 1.5 * unit),
                int(top + (height - 2 * unit) // 2 + (2 / 3 - y) * 1.5 * unit))

    def colour(self, x, y, shot=None):
        return (shot or self.shot()).getpixel(self.at(x, y))

    def await_colour(self, point, wanted, failure, by=24):
        self.until(lambda: max(abs(a - b) for a, b in zip(self.colour(*point), wanted)) <= by, failure)

    def drawn(self, *area):
        """The box, in page pixels, of all that is not white between the field's two points."""
        return self.shot(*area).convert("L").point(lambda v: 255 * (v < 240)).getbbox()

    def box(self, code):
        """The box on the page, CSS pixels (left, top, right, bottom), of the control of that key, or of that
        #button of the page's own."""
        box = self.js(f"document.querySelector('{code if code[0] in '#[' else f'[data-key={code}]'}')"
                      ".getBoundingClientRect()")
        return box["left"], box["top"], box["right"], box["bottom"]

    def touch(self, kind, *points):
        """Fingers 1, 2, ... at those points, CSS pixels; a touchEnd or touchCancel ends every finger."""
        self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
            "type": kind, "touchPoints": [{"id": i + 1, "x": x, "y": y} for i, (x, y) in enumerate(points)]})

    def hold(self, *codes):
        self.touch("touchStart", *(((x0 + x1) / 2, (y0 + y1) / 2) for x0, y0, x1, y1 in map(self.box, codes)))

    def tap(self, code):
        self.hold(code)
        self.touch("touchEnd")

    def held(self):
        return sorted(self.js("[...document.querySelectorAll('.held')].map(e => e.dataset.key)"))

    def lie_whole_off_the_field(self, width, height, views):
        """Each view of a touch page of that size (what shows it, and the controls it shows, the one looked for
        last): the field whole and large, nothing to scroll, and each control whole, at least 44 x 44 and off the
        field."""
        for shown, (tap, controls) in views.items():
            screen = f"{width} x {height}, {shown}"
            if tap:
                self.tap(tap)
                self.until(lambda: self.js(f"document.querySelector('{controls[-1]}').offsetParent"),
                           lambda: f"{screen}: not shown ({self.js('document.body.className')}, said {self.said()!r})")
                self.measure()
            left, top, right, bottom = *self.at(-1, 2 / 3), *self.at(1, -2 / 3)
            self.assertTrue(left >= 0 and top >= 0 and right <= width and bottom <= height, f"{screen}: cut")
            self.assertGreater((right - left) / width if height > width else (bottom - top) / height, 0.6)
            self.assertEqual(self.js("[document.documentElement.scrollWidth, "
                                     "document.documentElement.scrollHeight]"), [width, height], f"{screen}: scrolls")
            for code in controls:
                x0, y0, x1, y1 = self.box(code)
                self.assertTrue(x1 - x0 >= 44 and y1 - y0 >= 44, f"{screen}, {code}: too small")
                self.assertTrue(x0 >= 0 and y0 >= 0 and x1 <= width and y1 <= height, f"{screen}, {code}: cut")
                self.assertTrue(x1 <= left or x0 >= right or y1 <= top or y0 >= bottom, f"{screen}, {code}: on it")
            self.assertIsNone(self.js("document.getElementById('keys').offsetParent"), "the keys' line")

    def start(self, letter="s", code="KeyS", trap=BLUE_TRAP):
        self.key(letter, code)
        self.await_colour(TRAP, trap, f"{letter}: no game")
