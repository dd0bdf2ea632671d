"""Debian's Chromium, headless, with WebGL 2 on SwiftShader, driven through
Selenium; and pages served on 127.0.0.1. Shared by the browser's tests, its
benchmark and the screenshots."""
import functools
import gzip
import http.server
import io
import os
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *_):
        pass


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
    threading.Thread(target=server.serve_forever, daemon=True).start()
    address = f"http://127.0.0.1:{server.server_address[1]}/"
    servers[address] = server
    return address


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
