"""Debian's Chromium, headless, with WebGL 2 on SwiftShader, driven through
Selenium; and pages served on 127.0.0.1. Shared by the browser's tests, its
benchmark and the screenshots."""
import functools
import http.server
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *_):
        pass


servers = {}


def serve(directory):
    """An HTTP server of the directory on 127.0.0.1, on a port of its own: its address."""
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=directory))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    address = f"http://127.0.0.1:{server.server_address[1]}/"
    servers[address] = server
    return address


def stop(address):
    """The server at that address gone: nothing answers there any more."""
    server = servers.pop(address)
    server.shutdown()
    server.server_close()


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
