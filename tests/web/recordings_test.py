#!/usr/bin/python3
"""Recorded games in the browser: build-web/ (WEB_DIR) in headless Chromium, and
the desktop's game (GAME) beside it. The kept games play through in the page as
on the desktop; a game played in the page with keys and touches, saved, passes
the desktop's --check; files and links, good and broken, opened, dropped and
shared, with the desktop's own reasons for refusing one."""
import base64
import glob
import os
import re
import subprocess
import tempfile
import time
import unittest
import zlib

from page import BLUE_TRAP, CLOCK, TRAP, Page, choose_file, held

SOURCE = os.environ["SOURCE_DIR"]
# Before the page's scripts: each line the game says of keeping the bests, kept in window.said as well.
COUNT_SAID = """window.said = [];
Object.defineProperty(window, "Module", { configurable: true, set(module) {
    delete window.Module;
    window.Module = module;
    const say = module.bestsSaid;
    module.bestsSaid = line => (window.said.push(line), say(line));
} });"""
# Before the page's scripts: the bytes the page's decompression has given, in window.inflated.
INFLATED = """window.inflated = 0;
const Inflate = DecompressionStream;
window.DecompressionStream = function (format) {
    const inflate = new Inflate(format), count = new TransformStream({
        transform(part, out) { window.inflated += part.length; out.enqueue(part); } });
    return { writable: inflate.writable, readable: inflate.readable.pipeThrough(count) };
};"""
KEPT = sorted(glob.glob(os.path.join(SOURCE, "tests", "replays", "*.txt")))


def desktop(path):
    """What the desktop's --check says of the file, and its exit status."""
    run = subprocess.run([os.environ["GAME"], "--check", path], capture_output=True, text=True, check=False)
    return (run.stdout + run.stderr).strip().removeprefix("gorvath: "), run.returncode


class Recordings(Page):
    def saved(self, press="document.getElementById('save').click()"):
        """The file the page saves as the button is pressed: its name and its text."""
        folder = tempfile.mkdtemp()
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": folder})
        self.js(press)
        self.until(lambda: [f for f in os.listdir(folder) if not f.endswith(".crdownload")], "nothing saved")
        name = os.listdir(folder)[0]
        with open(os.path.join(folder, name)) as file:
            return name, file.read()

    def bests(self, mode):
        return self.js(f"[...document.querySelectorAll('#bests-{mode} li')].map(row => row.innerText)")

    def test_a_won_game_takes_its_place_in_the_pages_bests_kept_across_visits_to_watch_save_and_share(self):
        self.win("window.setTimeout = () => 0;")  # the page gone before it would keep the best: kept as it goes
        won = time.strftime("%Y-%m-%d %H:%M", time.localtime(1796650002))  # the page's clock: the game's seed
        self.assertEqual(self.bests("S"), [f"1\n7.07 s\n{won}\nwatch\nsave\nshare"])
        self.assertEqual(self.bests("A"), [])
        self.open(CLOCK)  # the page visited again at once: its bests are kept
        self.js("document.querySelector('[data-best=S1][data-act=watch]').click()")
        self.assertEqual(self.watched(), "best S #1: replay matches: 424 steps")
        self.js("document.getElementById('stop').click()")
        self.js("navigator.clipboard.writeText = () => Promise.reject()")
        self.js("document.querySelector('[data-best=S1][data-act=share]').click()")
        self.until(lambda: self.js("document.getElementById('link').value"), "no link")
        name, text = self.saved("document.querySelector('[data-best=S1][data-act=save]').click()")
        path = os.path.join(tempfile.mkdtemp(), name)
        with open(path, "w") as file:
            file.write(text)
        self.assertEqual((name, desktop(path)), (time.strftime("gorvath-%Y-%m-%d-%H%M%S.txt", time.localtime(1796650002)),
                                                 ("replay matches: 424 steps", 0)))
        self.open(CLOCK, site=self.js("document.getElementById('link').value"))
        self.assertEqual(self.watched(), "link: replay matches: 424 steps")

    def test_storage_refused_full_or_holding_garbage_is_said_once_and_the_game_plays_on(self):
        refuse = "Storage.prototype.%s = function () { throw new DOMException('no', '%s'); };"
        rows = {"refused": (refuse % ("getItem", "SecurityError") + refuse % ("setItem", "SecurityError"),
                            "Cannot keep bests in this page's storage: it is refused (as in a private window, or "
                            "with storage turned off)."),
                "full": (refuse % ("setItem", "QuotaExceededError"),
                         "Cannot keep bests in this page's storage: it is full."),
                "garbage": ("localStorage.getItem('gorvath/bests.txt') || "
                            "localStorage.setItem('gorvath/bests.txt', 'garbage');",
                            "The bests in this page's storage, as gorvath/bests.txt could not be read (not a table "
                            "of bests); set aside as gorvath/bests.txt.broken-" +
                            time.strftime("%Y-%m-%dT%H:%M:%S.", time.localtime(1796650002)))}
        for name, (script, said) in rows.items():
            self.js("localStorage.clear()")
            self.win(script + COUNT_SAID)
            self.until(lambda: self.said() == said, f"{name}: {self.said()}")  # kept once the frame is over
            self.assertEqual(len(self.js("window.said")), 1, f"{name}: said more than once")
            self.assertEqual([row.split("\n")[1] for row in self.bests("S")], ["7.07 s"], f"{name}: no game played")

    def test_every_kept_game_plays_through_in_the_page_as_on_the_desktop_and_goes_by_file_drop_and_link(self):
        self.open(CLOCK)
        self.key("s", "KeyS")
        self.key("p", "KeyP")  # the first opened while a game is paused: nothing pauses a playback
        self.until(lambda: self.js("document.title") == "Gorvath (paused)", "not paused")
        for path in KEPT:
            line, status = desktop(path)
            self.assertEqual(status, 0, line)
            choose_file(self.driver, path)
            self.assertEqual(self.watched(), f"{os.path.basename(path)}: {line}")
        # The last one dropped on the page, then shared as a link, which plays it.
        data = {"items": [], "files": [KEPT[0]], "dragOperationsMask": 1}
        for kind in ("dragEnter", "dragOver", "drop"):
            self.driver.execute_cdp_cmd("Input.dispatchDragEvent", {"type": kind, "x": 300, "y": 200, "data": data})
        self.until(lambda: self.said() == f"Watching {os.path.basename(KEPT[0])}.", "not dropped")
        self.js("navigator.clipboard.writeText = () => Promise.reject()")  # as a page without the right to
        self.js("document.getElementById('share').click()")
        self.until(lambda: self.js("document.getElementById('link').value"), "no link")
        link = self.js("document.getElementById('link').value")
        steps = re.findall(r"step (\d+)", open(KEPT[0]).read())
        seconds = (int(steps[-1]) - int(steps[0])) / 60
        self.assertLess(len(link.split("#")[1]) * 60 / seconds, 2000, "a minute's game in over 2 kB")
        self.open(CLOCK, site=link)
        self.assertEqual(self.watched(), f"link: {desktop(KEPT[0])[0]}")
        path = os.path.join(tempfile.mkdtemp(), "saved.txt")
        with open(path, "w") as saved:
            saved.write(self.saved()[1])
        self.assertEqual(desktop(path), desktop(KEPT[0]), "the link's game, saved, is not the game")

    def test_a_file_opened_while_the_game_loads_plays_once_it_has_loaded(self):
        self.open(CLOCK, held("gorvath.js"), wait=False)
        self.until(lambda: self.js("window.held.length"), "the game's script not asked for")
        choose_file(self.driver, KEPT[0])
        name = os.path.basename(KEPT[0])
        self.until(lambda: self.said() == f"{name} opens once Gorvath has loaded.", "not said")
        self.js("window.release()")
        self.assertEqual(self.watched(), f"{name}: {desktop(KEPT[0])[0]}")

    def test_a_game_played_with_keys_and_touches_and_saved_passes_the_desktops_check(self):
        self.screen(412, 915, 2, True)
        self.open(width=412, height=915, scale=2, mobile=True)
        control = "document.querySelector('[data-key=%s]').getBoundingClientRect().toJSON()"
        for code in ("KeyS", "Space", "ArrowRight", "KeyF"):  # touches, and keys between them
            box = self.js(control % code)
            point = {"x": box["x"] + box["width"] / 2, "y": box["y"] + box["height"] / 2}
            self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [point]})
            self.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
            if code == "KeyS":
                self.await_colour(TRAP, BLUE_TRAP, "S: no game")
            self.key("ArrowUp", "ArrowUp")
        name, text = self.saved()
        self.assertRegex(name, r"^gorvath-\d{4}-\d\d-\d\d-\d{6}\.txt$")
        self.assertRegex(text, r"key S press\n(.*\n)*.*key UP press\n(.*\n)*.*key SPACE press\n(.*\n)*.*key F press")
        path = os.path.join(tempfile.mkdtemp(), name)
        with open(path, "w") as file:
            file.write(text)
        line, status = desktop(path)
        self.assertEqual(status, 0, line)
        self.assertRegex(line, r"^replay matches: \d+ steps$")

    def test_broken_files_and_links_are_refused_as_the_desktop_refuses_them_and_the_game_goes_on(self):
        self.open(INFLATED)
        self.start()
        self.key("p", "KeyP")  # a paused game, which goes on paused whatever the page is handed
        self.until(lambda: self.js("document.title") == "Gorvath (paused)", "not paused")
        kept, field = self.saved()[1], self.shot(-1, 2 / 3, 1, -2 / 3).tobytes()
        self.js("navigator.clipboard.writeText = () => Promise.reject()")
        self.js("document.getElementById('share').click()")
        self.until(lambda: self.js("document.getElementById('link').value"), "no link")
        whole = self.js("document.getElementById('link').value").split("#game=")[1]
        folder = tempfile.mkdtemp()
        game = open(KEPT[0]).read()
        files = {"empty.txt": "", "cut.txt": game[:len(game) // 2 + 3],
                 "seed.txt": re.sub(r"seed \d+", "seed 4294967296", game)}
        for name, text in files.items():
            with open(os.path.join(folder, name), "w") as file:
                file.write(text)
        with open(os.path.join(folder, "huge.txt"), "w") as file:
            file.truncate(100 << 20)  # 100 MB, on no disk
        files["title.png"] = os.path.join(SOURCE, "docs", "title.png")  # a picture
        for name in files:
            path = files[name] if name.endswith(".png") else os.path.join(folder, name)
            choose_file(self.driver, path)
            line, _ = desktop(path)
            self.until(lambda: self.said() == line.replace(path, name), f"{name}: {self.said()} is not {line}")
        packer = zlib.compressobj(9, zlib.DEFLATED, -15)
        bomb = b"".join(packer.compress(bytes(1 << 20)) for _ in range(1024)) + packer.flush()  # 1 GB of nothing
        links = {"%%garbage%%": "link: not a game's code", whole[:len(whole) // 8 * 4]: "link: cut short or garbled",
                 "": "link: no game in it",
                 base64.urlsafe_b64encode(bomb).decode(): "link: too large for a Gorvath replay (over 64 MiB)"}
        for code, why in links.items():
            self.js(f"location.hash = 'game={code}'")
            self.until(lambda: self.said() == f"The link's game could not be read ({why}).", f"{why}: {self.said()}")
        self.assertLess(self.js("window.inflated"), (64 << 20) + (1 << 20), "inflated past the largest recording")
        self.assertEqual((self.js("document.title"), self.saved()[1]), ("Gorvath (paused)", kept), "not as it was")
        self.assertEqual(self.shot(-1, 2 / 3, 1, -2 / 3).tobytes(), field, "the field not as it was")


if __name__ == "__main__":
    unittest.main(verbosity=2)
