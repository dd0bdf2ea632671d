#!/usr/bin/python3
"""The game in a browser (build-web/, in Debian's headless Chromium, WebGL 2 on
SwiftShader): what a player downloads, gzipped as a web host sends it; the
time from navigation to the first frame, on a desktop page and upright on a
phone (the first load from the server, the rest from the page's own offline
copy), and on a slow phone, as mobile page audits make one (the CPU slowed four
times, a slow 4G network: 150 ms a round trip, 1.6 Mbit/s down), the build
served compressed, a first visit and the next; a recorded game's way onto the
page, from its arrival (a file opened or dropped, a link) to its first step,
for the longest kept game, and each kept game's link; the longest frame
around a won game that sets a best (a kept won game played by its keys, on a
pretend clock), against an ordinary frame; a frame's cost, the time
the page spends in the game's frame callback while an S game is played on a
desktop page; and how evenly the wave marches at 144 Hz, the page's frame
callbacks run on a pretend clock a refresh apart and each picture read back.

And the desktop's scripted frames (the reference pictures in tests/frames/),
drawn by the game in the browser (FRAMES_DIR: build-emscripten/bench/web/,
frames_page.cpp and its page): how many of a frame's 240 000 pixels differ by
more than 8 of 255 in any channel (SwiftShader and llvmpipe round a sprite's
edge differently), and how many at all.

  bench/browser_bench.py BUILD_WEB_DIR FRAMES_DIR
"""
import glob
import gzip
import os
import re
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from headless import CLOCK, choose_file, chromium, press_recorded_keys, serve  # noqa: E402

# Before the page's scripts, after CLOCK: where the wave stands after a frame, the mean x in canvas pixels of
# all that is drawn right of the Player but the Trap's flat blue.
WAVE = """window.wave = () => {
    const { width, height } = Module.canvas, unit = Math.min(width / 3, height / 2) | 0, row = 2.4 * unit | 0;
    const paper = new OffscreenCanvas(width, height).getContext("2d");
    paper.drawImage(Module.canvas, 0, 0);
    const { data } = paper.getImageData((width - 3 * unit) / 2 + 0.6 * unit | 0, (height - 2 * unit) / 2 | 0, row,
                                        2 * unit);
    let ink = 0, at = 0;
    for (let i = 0; i < data.length; i += 4) {
        const dark = data[i + 2] > 200 && data[i] < 60 ? 0 : 765 - data[i] - data[i + 1] - data[i + 2];
        ink += dark, at += dark * (i / 4 % row);
    }
    return [at / ink, 3 * unit];
};"""

# After the page's first frame: window.arrived when a recording arrives (a file chosen or dropped, a link's
# fragment), window.shown when the game takes it, and window.stepped when the frame callback that runs its
# first step ends.
WATCH_ARRIVALS = """window.arrived = window.shown = window.stepped = 0;
for (const kind of ["change", "drop", "hashchange"]) {
    addEventListener(kind, () => window.arrived = performance.now(), true);
}
const call = Module.ccall;
Module.ccall = (name, ...rest) => {
    const said = call(name, ...rest);
    if (name === "showRecordingGiven" && !said) window.shown = performance.now();
    return said;
};
const request = window.requestAnimationFrame.bind(window);
window.requestAnimationFrame = callback => request(now => {
    const began = performance.now();
    callback(now);
    if (window.shown && began > window.shown && !window.stepped) window.stepped = performance.now();
});"""

# Before the page's scripts: each frame callback timed, the times kept in window.frameTimes.
TIME_FRAMES = """
window.frameTimes = [];
const request = window.requestAnimationFrame.bind(window);
window.requestAnimationFrame = callback => request(now => {
    const start = performance.now();
    callback(now);
    window.frameTimes.push(performance.now() - start);
});
"""

site, frames = sys.argv[1:3]
sizes = {name: len(gzip.compress(open(os.path.join(site, name), "rb").read(), 9)) for name in sorted(os.listdir(site))}
print(f"download, gzipped: {sum(sizes.values()) / 1000:.0f} kB "
      f"({', '.join(f'{name} {size / 1000:.0f} kB' for name, size in sizes.items())}); target at most 400 kB")

driver = chromium()
try:
    address = serve(site)
    for screen, width, height, scale, mobile in (("a phone, upright", 412, 915, 2, True),
                                                 ("a desktop page", 800, 600, 1, False)):
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})
        driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": mobile, "maxTouchPoints": 10})
        firsts = []
        for _ in range(5):
            driver.get(address)
            for _ in range(200):
                if first := driver.execute_script("return Module.firstFrameAt"):
                    break
                time.sleep(0.05)
            firsts.append(first)
        print(f"navigation to the first frame on {screen}: {statistics.median(firsts):.0f} ms "
              f"(median of 5 loads, {min(firsts):.0f} to {max(firsts):.0f})")

    def wait(expression, what):
        """The page's expression once it is true, or no more than 30 s on, an error saying what did not come."""
        deadline = time.monotonic() + 30
        while not (value := driver.execute_script("return " + expression)):
            if time.monotonic() > deadline:
                raise TimeoutError(f"{what}: not within 30 s")
            time.sleep(0.01)
        return value

    def first_frame(address):
        driver.get(address)
        return wait("Module.firstFrameAt", "the first frame")

    slow = (("Emulation.setCPUThrottlingRate", {"rate": 4}),
            ("Network.emulateNetworkConditions", {"offline": False, "latency": 150, "downloadThroughput": 1.6e6 / 8,
                                                  "uploadThroughput": 750e3 / 8}))
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 412, "height": 915, "deviceScaleFactor": 2, "mobile": True})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 10})
    driver.execute_cdp_cmd("Network.enable", {})
    visits = {"a first visit": [], "the next": []}
    for _ in range(5):
        address = serve(site, compressed=True)  # a site of its own: nothing kept from before
        for command, slowed in slow:
            driver.execute_cdp_cmd(command, slowed)
        visits["a first visit"].append(first_frame(address))
        driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        visits["the next"].append(first_frame(address))
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 1})
        driver.execute_cdp_cmd("Network.emulateNetworkConditions", {"offline": False, "latency": 0,
                                                                     "downloadThroughput": -1, "uploadThroughput": -1})
    # What no page could beat on that network: the page and the three files its first frame needs, at 1.6 Mbit/s,
    # and two round trips (the page's, then theirs, side by side).
    needed = sum(sizes[name] for name in ("index.html", "gorvath.js", "gorvath.wasm", "gorvath.data"))
    print("navigation to the first frame on a slow phone (4 x slower CPU, 150 ms, 1.6 Mbit/s), served compressed: " +
          ", ".join(f"{visit} {statistics.median(times) / 1000:.2f} s ({min(times) / 1000:.2f} to "
                    f"{max(times) / 1000:.2f})" for visit, times in visits.items()) +
          f"; goals 2.0 s and 0.7 s; the download's floor for a first visit {needed * 8 / 1.6e6 + 0.3:.2f} s "
          f"({needed / 1000:.0f} kB at 1.6 Mbit/s, and two round trips of 150 ms)")

    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 800, "height": 600, "deviceScaleFactor": 1, "mobile": False})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
    # Chromium takes no file by a path with ".." in it.
    kept = sorted(glob.glob(os.path.realpath(os.path.join(os.path.dirname(__file__), "..", "tests", "replays")) + "/*.txt"))
    def seconds_of(path):
        steps = re.findall(r"step (\d+)", open(path).read())
        return (int(steps[-1]) - int(steps[0])) / 60

    longest = max(kept, key=seconds_of)

    def arrive(how):
        """The time from the longest kept game's arrival on the page to its first step, in ms."""
        first_frame(serve(site))  # a page of its own each time
        driver.execute_script(WATCH_ARRIVALS)
        if how == "opened":
            choose_file(driver, longest)
        elif how == "dropped":
            data = {"items": [], "files": [longest], "dragOperationsMask": 1}
            for kind in ("dragEnter", "dragOver", "drop"):
                driver.execute_cdp_cmd("Input.dispatchDragEvent", {"type": kind, "x": 300, "y": 200, "data": data})
        else:
            driver.execute_script(f"location.hash = {links[longest]!r}.split('#')[1]")
        return wait("window.stepped", "the first step") - driver.execute_script("return window.arrived")

    links = {}
    for path in kept:
        first_frame(serve(site))
        choose_file(driver, path)
        driver.execute_script("navigator.clipboard.writeText = () => Promise.reject()")
        wait("watching", "the recording shown")
        driver.execute_script("document.getElementById('share').click()")
        links[path] = wait("document.getElementById('link').value", "the link")
    for path, link in links.items():
        seconds, code = seconds_of(path), len(link.split("#")[1])
        keys = open(path).read().count(" key ") / seconds
        print(f"the link of {os.path.basename(path)} ({seconds:.1f} s of play, {keys:.0f} key events a second): "
              f"{code} characters after the page's address, {code * 60 / seconds:.0f} for a minute of it; target a "
              f"minute's game, as a person plays one, in at most 2 000")
    for how in ("opened", "dropped", "in a link"):
        times = [arrive(how) for _ in range(5)]
        print(f"{os.path.basename(longest)} {how}: {statistics.median(times):.1f} ms from its arrival to its first "
              f"step (median of 5, {min(times):.1f} to {max(times):.1f}); target at most 50 ms")

    # A won game that sets a best: s-won.txt's keys, each at its step, the page's first frame its first step.
    won = open(os.path.join(os.path.dirname(longest), "s-won.txt")).read()
    seed, end = re.search(r"seed (\d+)", won)[1], int(re.search(r"step (\d+) end", won)[1])
    longest_around, ordinary = [], []
    for _ in range(5):
        added = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
            "source": CLOCK + f"\nDate.now = () => {seed}000;"})["identifier"]
        driver.get(serve(site))
        driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added})
        wait("tick(1), Module.firstFrameAt", "the first frame")
        driver.execute_script("window.frameTimes = []")
        driver.execute_script(f"tick({end - press_recorded_keys(driver, won) + 30})")
        times = driver.execute_script("return window.frameTimes")
        if "7.07 s" not in driver.execute_script("return document.getElementById('bests-S').innerText"):
            raise RuntimeError("s-won.txt: not won as a new best in the page")
        won_in = end - 2  # the frame whose step won it: the first frame ran step 1, each tick one more
        longest_around.append(max(times[won_in - 30:]))
        ordinary += times[30:won_in - 30]
    print(f"in the browser, a frame around a won game that sets a best (the frame it is won in, half a second "
          f"either side): the longest {1000 * max(longest_around):.0f} µs (of five rounds), against an ordinary "
          f"frame's {1000 * statistics.median(ordinary):.0f} µs (median)")

    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": TIME_FRAMES})
    driver.get(address)
    time.sleep(1)
    for kind in ("keyDown", "keyUp"):
        driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "key": "s", "code": "KeyS"})
    driver.execute_script("window.frameTimes = []")
    time.sleep(3)
    times = driver.execute_script("return window.frameTimes")
    # The page's clock counts in steps of a tenth of a millisecond: the mean of many says more.
    print(f"a play frame in the browser: {1000 * statistics.mean(times):.0f} µs in the frame callback "
          f"(mean of {len(times)} frames)")

    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": CLOCK + "\n" + WAVE})
    driver.get(address)
    while not driver.execute_script("frame(144); return Module.firstFrameAt"):
        pass
    for kind in ("keyDown", "keyUp"):
        driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "key": "s", "code": "KeyS"})
    places = driver.execute_script("frame(144); return Array.from({ length: 145 }, () => (frame(144), wave()))")
    mean = places[0][1] / 200 * 60 / 144  # 0.01 of the field's width a step
    advances = [a[0] - b[0] for a, b in zip(places, places[1:])]
    print(f"the wave at 144 Hz in the browser: {statistics.mean(advances):.2f} px a frame (a step is "
          f"{mean * 144 / 60:.2f}), standing still in {sum(a < 0.2 * mean for a in advances)} of {len(advances)} "
          f"frames, within a pixel of {mean:.2f} in {sum(abs(a - mean) <= 1 for a in advances)}")

    driver.get(serve(frames) + "frames.html")
    said = ""
    while '"done"' not in said:
        time.sleep(0.1)
        said += "".join(e["message"] for e in driver.get_log("browser"))
    print("the desktop's scripted frames in the browser, pixels of 240 000 that differ by more than 8 of 255 "
          "(and at all): " + ", ".join(f"{name} {more} ({all})" for name, more, all in
                                       re.findall(r'"(\S+): (\d+) pixels differ by more than 8, (\d+) at all', said)))
finally:
    driver.quit()
