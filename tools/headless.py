"""Debian's Chromium, headless, with WebGL 2 on SwiftShader, driven through
Selenium; pages served on 127.0.0.1; the page's clock the caller's own, and a
recording's keys played on it. Shared by the browser's tests, its benchmark
and the screenshots."""
import collections
import functools
import gzip
import http.server
import io
import os
import re
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Before the page's scripts: the page's clock and its frames the caller's own. frame(hertz) runs the page's
# frame callbacks, the clock a refresh at that rate on, each timed on the real clock into window.frameTimes;
# tick(n) runs n frames of a sixtieth of a second.
CLOCK = """const realNow = performance.now.bind(performance);
let now = 1000, pending = [];
window.frameTimes = [];
performance.now = () => now;
window.requestAnimationFrame = callback => pending.push(callback);
window.frame = hertz => {
    now += 1000 / hertz;
    const run = pending;
    pending = [];
    run.forEach(f => { const start = realNow(); f(now); window.frameTimes.push(realNow() - start); });
};
window.tick = n => { for (let i = 0; i < n; ++i) window.frame(60); };"""

# The game's keys as its recordings name them: each one's KeyboardEvent key and code.
KEYS = {"S": ("s", "KeyS"), "A": ("a", "KeyA"), "UP": ("ArrowUp", "ArrowUp"), "DOWN": ("ArrowDown", "ArrowDown"),
        "LEFT": ("ArrowLeft", "ArrowLeft"), "RIGHT": ("ArrowRight", "ArrowRight"), "SPACE": (" ", "Space"),
        "F": ("f", "KeyF")}


def press_recorded_keys(driver, text):
    """A recording's keys pressed on the page, as the browser's key events, each at its step on CLOCK (the
    page's first frame having run the first step, each tick one more): the step of the last."""
    step = 1
    for at, key, action in re.findall(r"step (\d+) key (\w+) (\w+)", text):
        driver.execute_script(f"tick({int(at) - step})")
        step = int(at)
        driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
            "type": "keyUp" if action == "release" else "keyDown", "key": KEYS[key][0], "code": KEYS[key][1],
            "autoRepeat": action == "repeat"})
    return step


class Quiet(http.server.SimpleHTTPRequestHandler):
    """Serves the directory, counting each path fetched in the server's fetched."""
    def log_message(self, *_):
        pass

    def do_GET(self):
        self.server.fetched[self.path] += 1
        super().do_GET()


class Compressed(Quiet):
    """Every file sent gzipped to a browser that takes it, as static web hosts send them."""
    def send_head(self):
        path = self.translate_path(self.path)
        path = os.path.join(path, "index.html") if os.path.isdir(path) else path
        if not os.path.isfile(path) or "gzip" not in self.headers.get("Accept-Encoding", ""):
            return super().send_head()
        with open(path, "rb") as file:
            body = gzip.compress(file.read(), 9)
        self.send_response(200)
        for name, value in (("Content-Type", self.guess_type(path)), ("Content-Encoding", "gzip"),
                            ("Content-Length", str(len(body)))):
            self.send_header(name, value)
        self.end_headers()
        return io.BytesIO(body)


servers = {}


def serve(directory, compressed=False):
    """An HTTP server of the directory on 127.0.0.1, on a port of its own: its address."""
    handler = Compressed if compressed else Quiet
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(handler, directory=directory))
    server.fetched = collections.Counter()
    threading.Thread(target=server.serve_forever, daemon=True).start()
    address = f"http://127.0.0.1:{server.server_address[1]}/"
    servers[address] = server
    return address


def fetched(address):
    """How many times each path was fetched from the server at that address."""
    return servers[address].fetched


def stop(address):
    """The server at that address gone: nothing answers there any more."""
    server = servers.pop(address)
    server.shutdown()
    server.server_close()


def choose_file(driver, path):
    """The file at path chosen in the page's file input, #file, as a player chooses one."""
    found = driver.execute_cdp_cmd("Runtime.evaluate", {"expression": "document.getElementById('file')"})
    driver.execute_cdp_cmd("DOM.setFileInputFiles", {"objectId": found["result"]["objectId"], "files": [path]})


def chromium():
    """A headless Chromium that keeps what the page says on its console; muted, and off the network."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader "
                 "--disable-background-networking --disable-component-update --disable-sync --no-first-run "
                 "--mute-audio").split():
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
