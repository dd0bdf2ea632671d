"""What the tests of the page in headless Chromium share: the page opened at a
size (a desktop's or a phone's), keys, screenshots of it and the field's
points in them, waiting for what a test looks for, and no error on the console
after any test."""
import io
import os
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
        self.assertEqual([e["message"] for e in self.console() if e["level"] == "SEVERE"], [], "console errors")

    def console(self):
        self.log = getattr(self, "log", []) + self.driver.get_log("browser")
        return self.log

    def said(self, text):
        return any(text in e["message"] for e in self.console())

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

    def start(self, letter="s", code="KeyS", trap=BLUE_TRAP):
        self.key(letter, code)
        self.await_colour(TRAP, trap, f"{letter}: no game")
