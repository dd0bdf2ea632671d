#!/usr/bin/python3
"""The world's board in the page: build-web/ (WEB_DIR) served by the real board
(BOARD --site, on a SQLite file of its own) to headless Chromium. The world's
tables, a won game sent under a name and watched, the board gone and back
with nothing lost, names always shown as text, a phone's touch rules kept,
and on a static host no word of a board."""
import os
import signal
import sys
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from page import CLOCK, Page, serve

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "board"))
from board import Board, new_database, sql, won_games  # noqa: E402

WON, _ = won_games(12)
WON_A, _ = won_games(12, "A")


class World(Page):
    def board(self, database=None, port=0):
        """The board, serving the page beside it: its address."""
        board = Board(database or new_database(), "--site", os.environ["WEB_DIR"], "--sends-per-minute", "0",
                      "--port", str(port))
        self.addCleanup(lambda: board.process.poll() is None and board.stop())
        return board

    def world(self, mode):
        return self.js(f"[...document.querySelectorAll('#world-{mode} li')].map(row => row.innerText)")

    def send(self, name):
        """The name typed, key by key, and sent: none of its keys heard by the game (Q would end it)."""
        self.until(lambda: self.js("!document.getElementById('send').hidden"), "not offered to the world")
        field = self.driver.find_element(By.ID, "name")
        field.clear()
        field.send_keys(name + Keys.ENTER)
        self.assertNotIn("The game is over", self.js("document.body.innerText"), "the name's keys heard by the game")

    def test_a_won_game_sent_to_the_world_takes_its_place_and_each_entry_plays_in_the_page(self):
        board = self.board()
        for game in WON[:3]:  # three games played faster than s-won.txt, kept before
            self.assertEqual(board.send(game, "Bot")[0], 201)
        site = f"http://127.0.0.1:{board.port}/"
        self.win(site=site)  # s-won.txt, 7.07 s
        self.send("Zoë Ψ")
        self.until(lambda: self.said() == "Kept on the world's board: #4 of the S games, 7.07 s.", self.said)
        self.until(lambda: len(self.world("S")) == 4, lambda: f"not in the world's table: {self.world('S')}")
        self.assertEqual(self.world("S")[3], "4\nZoë Ψ\n7.07 s")
        self.assertEqual(self.js("localStorage.getItem('gorvath/name')"), "Zoë Ψ", "the name not kept")
        self.js("document.querySelector('#world-S [data-place=\"4\"]').click()")
        self.assertEqual(self.watched(), "the world's S #4: replay matches: 424 steps")
        # A name another program wrote into the board's database: shown as it is, never as markup.
        first = board.tables()["S"][0]
        sql(board.database, f"UPDATE games SET name = '<img src=x onerror=window.hacked=1>' WHERE id = {first['id']}")
        self.open(CLOCK, site=site)
        self.until(lambda: self.js("showWorld()") or self.world("S")[:1] ==  # the board's tables read afresh
                   [f"1\n<img src=x onerror=window.hacked=1>\n{first['time']} s"],
                   lambda: str(self.world("S")))
        self.assertEqual(self.js("[document.querySelectorAll('#games img').length, window.hacked]"), [0, None])

    def test_the_board_gone_a_won_game_is_kept_in_the_page_and_sent_once_it_answers_again(self):
        board = self.board()
        site, database, port = f"http://127.0.0.1:{board.port}/", board.database, board.port
        self.open(CLOCK, site=site)  # the board seen, and the page kept for playing offline
        self.until(lambda: self.js("!document.querySelector('[data-section=WS]').hidden"), "no world's tables")
        self.driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        board.stop(signal.SIGKILL)
        self.win(site=site, game="a-won")  # the page from its offline copy, the board away
        self.send("Quinn Mo Pa")  # Q, M and P: the game's keys
        self.until(lambda: self.said() == "The world's board cannot be reached: the game is kept here, and sent once "
                                          "it answers.", self.said)
        self.assertEqual(len(self.js("JSON.parse(localStorage.getItem('gorvath/unsent'))")), 1)
        self.open(CLOCK, site=site)  # and the page visited again, the board still away: the game still kept
        self.assertEqual(len(self.js("JSON.parse(localStorage.getItem('gorvath/unsent'))")), 1)
        back = self.board(database, port)  # back where it was
        self.js("dispatchEvent(new Event('online'))")  # as a phone's network comes back
        self.until(lambda: self.said() == "Kept on the world's board: #1 of the A games, 9.78 s.", self.said)
        self.assertEqual(self.js("JSON.parse(localStorage.getItem('gorvath/unsent'))"), [])
        self.assertEqual([(row["name"], row["time"]) for row in back.tables()["A"]], [("Quinn Mo Pa", "9.78")])

    def test_on_a_phone_the_world_s_tables_and_the_sending_keep_the_touch_rules(self):
        board = self.board()
        for game in WON[:10] + WON_A[:10]:  # full tables
            self.assertEqual(board.send(game, "Ana Maria Ivanov")[0], 201)  # the longest name
        site = f"http://127.0.0.1:{board.port}/"
        worlds = {mode: ([f"[data-tab=W{mode}]"], [f"#world-{mode} li:nth-child({n}) button" for n in range(1, 11)])
                  for mode in "SA"}
        for width, height in ((360, 640), (640, 360), (412, 915)):
            self.screen(width, height, 2, True)
            self.win(site=site, width=width, height=height, scale=2, mobile=True)
            self.until(lambda: self.js("!document.getElementById('send').hidden"), "not offered to the world")
            self.measure()
            self.lie_whole_off_the_field(width, height, {
                "the sending": (None, ["#name", "#send button"]),
                **{f"the world's {mode}": (tab[0], rows) for mode, (tab, rows) in worlds.items()}})

    def test_on_a_static_host_the_page_says_nothing_of_a_board(self):
        self.win(site=serve(os.environ["WEB_DIR"]))
        self.assertEqual(self.js("[...document.querySelectorAll('.world')].filter(e => e.offsetParent).length"), 0)
        self.assertTrue(self.js("document.getElementById('send').hidden"))
        self.assertNotIn("world", self.said())


if __name__ == "__main__":
    unittest.main(verbosity=2)
