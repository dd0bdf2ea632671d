#!/usr/bin/python3
"""The world's board, the real server (BOARD) on a database of its own, SQLite
or PostgreSQL (BOARD_DATABASE=postgresql, run under pg_virtualenv): every game
sent played before it is believed, its mode and time the replay's; hostile
senders costing no more than their refusal; nothing answered for ever lost,
through 50 clients at once, a kill -9, a full disk; and databases it must not
touch left as they were."""
import concurrent.futures
import contextlib
import hashlib
import os
import re
import select
import pwd
import signal
import socket
import subprocess
import tempfile
import threading
import time
import unittest

from board import POSTGRES, Board, new_database, psql, sql, wait_for, won_games

SOURCE, GAME = os.environ["SOURCE_DIR"], os.environ["GAME"]
WON, LOST = won_games(300)
WON_A, _ = won_games(3, "A")
TABLE = "gorvath_board." if POSTGRES else ""


def kept(name):
    with open(os.path.join(SOURCE, "tests", "replays", name)) as file:
        return file.read()


def steps_of(recording):
    """The game's steps, from its S or A to its end, and its time as the game shows it."""
    steps = re.findall(r"step (\d+)", recording)
    played = int(steps[-1]) - int(steps[0])
    hundredths = (played * 100 + 30) // 60
    return played, f"{hundredths // 100}.{hundredths % 100:02d}"


def checked(recording):
    """What the game's --check says of a recording."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as file:
        file.write(recording)
        file.flush()
        run = subprocess.run([GAME, "--check", file.name], capture_output=True, text=True, check=False)
        return (run.stdout + run.stderr).strip()


def forged(recording, earlier):
    """The won game's recording with its end moved that many steps earlier, as one who wants a better time
    would edit it: the lines after it dropped, the end's checksum kept."""
    lines = recording.splitlines()
    end, checksum = re.match(r"step (\d+) end (\w+)", lines[-1]).groups()
    cut = int(end) - earlier
    kept_lines = [line for line in lines[:-1] if not line.startswith("step") or int(line.split()[1]) <= cut]
    return "\n".join(kept_lines + [f"step {cut} end {checksum}"]) + "\n"


class Sending(unittest.TestCase):
    def setUp(self):
        self.board = Board(new_database(), "--sends-per-minute", "0")
        self.addCleanup(self.board.stop)

    def test_a_game_is_kept_only_when_played_it_is_one_game_alone_won_and_its_time_is_the_replays(self):
        long_game = re.sub(r"step \d+ end \w+", "step 216001 end 00000000", WON[4])  # it would diverge, played
        two = kept("s-then-a.txt").replace("gorvath replay 1\n", "gorvath replay 2\n", 1)
        rows = [  # what is sent, the name it is sent under, the answer's status, and what is said
            (WON[0], "Ana", 201, None),
            (WON_A[0], "Ana", 201, None),
            (WON[0], "Bea", 409, "game: already on the board, sent before"),
            (forged(WON[1], 40), "Ana", 422, f"replay diverged at step {steps_of(WON[1])[0] - 40}"),
            (LOST, "Ana", 422, "game: not won (the Player was caught)"),
            (two, "Ana", 422, "game: 2 games in one recording: send each alone"),
            (kept("a-game.txt"), "Ana", 422, "game: a recording of version 1, which does not say where its game's "
                                             "random draws began: send one the game kept alone (version 2)"),
            (b"\x89PNG\r\n\x1a\n" + bytes(100), "Ana", 422,
             'game: not a Gorvath replay (its first line is not "gorvath replay 2")'),
            (long_game, "Ana", 422, "game: longer than an hour of play (216001 steps)"),
            (b"", "Ana", 422, "game: empty, not a Gorvath replay"),
            (WON[2], "<script>alert(1)</script>", 422, "name: letters, digits, spaces, - and _ only"),
            (WON[2], "\u202eanA", 422, "name: letters, digits, spaces, - and _ only"),
            (WON[2], "Ana\"; DROP TABLE games; --", 422, "name: letters, digits, spaces, - and _ only"),
            (WON[2], "x" * 100, 422, "name: longer than 16 characters"),
            (WON[2], "", 422, "name: empty (1 to 16 letters, digits, spaces, - or _)"),
            (WON[2], " Ana", 422, "name: it may not begin or end with a space"),
            (WON[2], "Zoë Ψ-ω_7", 201, None),
            (WON[3], "अनुराधा", 201, None),
            (WON[5], "李小龙", 201, None),
        ]
        sent = {}
        for text, name, status, said in rows:
            got, answer = self.board.send(text, name)
            what = f"{text[:40]!r} as {name!r}: {answer}"
            self.assertEqual(got, status, what)
            if said:
                self.assertEqual(answer["refused"], said, what)
            else:
                steps, seconds = steps_of(text)
                mode = "A" if " key A press" in text.split("\n")[3] else "S"
                self.assertEqual((answer["mode"], answer["steps"], answer["time"]), (mode, steps, seconds), what)
                sent[answer["id"]] = (name, text)
        # The tables: each mode's games fastest first, as sent, each entry's recording the game sent, playing
        # through on the desktop.
        tables = self.board.tables()
        for mode, table in tables.items():
            self.assertEqual([row["steps"] for row in table], sorted(row["steps"] for row in table), mode)
            self.assertEqual([row["place"] for row in table], list(range(1, len(table) + 1)), mode)
        self.assertEqual(sorted(row["id"] for table in tables.values() for row in table), sorted(sent))
        for row in tables["S"] + tables["A"]:
            name, text = sent[row["id"]]
            _, _, recording = self.board.request("GET", f"/api/games/{row['id']}")
            self.assertEqual((row["name"], recording), (name, text))
            self.assertEqual(checked(recording), f"replay matches: {row['steps']} steps")
        self.assertEqual(self.board.request("GET", "/api/games/99999")[0], 404)

    def test_a_body_larger_than_any_won_game_is_refused_before_it_is_read_whole(self):
        # Its length said: refused as it is said, before a byte of it is sent.
        connection = socket.create_connection(("127.0.0.1", self.board.port))
        connection.sendall(b"POST /api/games?name=Ana HTTP/1.1\r\nHost: board\r\nContent-Length: 2097152\r\n\r\n")
        self.assertEqual(connection.recv(4096).decode().split("\r\n")[0], "HTTP/1.1 413 Payload Too Large")
        connection.close()
        # Sent without its length, a chunk at a time: refused once past the largest, the rest never read.
        connection = socket.create_connection(("127.0.0.1", self.board.port))
        connection.sendall(b"POST /api/games?name=Ana HTTP/1.1\r\nHost: board\r\nTransfer-Encoding: chunked\r\n\r\n")
        sent = 0
        try:
            while sent < (64 << 20) and not select.select([connection], [], [], 0)[0]:
                connection.sendall(b"10000\r\n" + bytes(0x10000) + b"\r\n")
                sent += 0x10000
        except OSError:
            pass  # closed by the board
        answer = b""
        while part := connection.recv(4096):
            answer += part
        connection.close()
        answer = answer.decode()
        self.assertEqual(answer.split("\r\n")[0], "HTTP/1.1 413 Payload Too Large")
        self.assertIn("game: too large for a won game's recording (over 1 MiB)", answer)
        self.assertLess(sent, 8 << 20, "read long past the largest recording")

    def test_two_hundred_games_sent_at_once_by_fifty_clients_are_each_answered_and_kept(self):
        with concurrent.futures.ThreadPoolExecutor(50) as clients:
            answers = list(clients.map(lambda game: self.board.send(game, "Ana"), WON[:200]))
        self.assertEqual([status for status, _ in answers], [201] * 200)
        tables = self.board.tables(100)["S"]
        by_id = {answer["id"]: answer for _, answer in answers}
        self.assertEqual(len(by_id), 200)
        self.assertEqual(len(tables), 100)
        self.assertEqual([row["steps"] for row in tables], sorted(answer["steps"] for answer in by_id.values())[:100])
        for row in tables:  # every entry whole: its recording is the game sent
            self.assertEqual(self.board.request("GET", f"/api/games/{row['id']}")[2], WON[[a["id"] for _, a in answers]
                                                                                         .index(row["id"])])


def listens(pid):
    """Whether the process has a socket bound and listening for TCP connections."""
    sockets = set()
    for fd in os.listdir(f"/proc/{pid}/fd"):
        with contextlib.suppress(FileNotFoundError):
            sockets.add(os.readlink(f"/proc/{pid}/fd/{fd}"))
    rows = [row.split() for row in open(f"/proc/{pid}/net/tcp").read().splitlines()[1:]]
    return any(row[3] == "0A" and f"socket:[{row[9]}]" in sockets for row in rows)


class Keeping(unittest.TestCase):
    def test_killed_while_games_are_sent_the_board_keeps_every_game_it_answered_for(self):
        database = new_database()
        board = Board(database, "--sends-per-minute", "0")
        answered, lock = {}, threading.Lock()

        def send(game):
            try:
                status, answer = board.send(game)
            except OSError:
                return  # killed under it
            if status == 201:
                with lock:
                    answered[answer["id"]] = game

        with concurrent.futures.ThreadPoolExecutor(50) as clients:
            for game in WON[:200]:
                clients.submit(send, game)
            wait_for(lambda: len(answered) >= 50, "not fifty answered")
            board.stop(signal.SIGKILL)
        self.assertLess(len(answered), 200, "all answered before the kill")
        again = Board(database, "--sends-per-minute", "0")
        self.addCleanup(again.stop)
        for entry, game in answered.items():
            self.assertEqual(again.request("GET", f"/api/games/{entry}")[2], game, entry)
        table = again.tables(100)["S"]
        self.assertGreaterEqual(len(table), min(100, len(answered)))
        for row in table:  # nothing half kept: every entry with its recording
            self.assertEqual(again.request("GET", f"/api/games/{row['id']}")[0], 200)

    def test_stopped_before_it_listens_the_board_still_stops(self):
        """SIGTERM while the board is still saying where it listens (its output held up by a full pipe)."""
        read_end, write_end = os.pipe()
        os.set_blocking(write_end, False)
        with contextlib.suppress(BlockingIOError):
            while True:
                os.write(write_end, b"." * 4096)
        os.set_blocking(write_end, True)  # the board's line waits for room
        board = subprocess.Popen([os.environ["BOARD"], "--database", new_database(), "--port", "0"],
                                 stdout=write_end, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.addCleanup(board.kill)
        self.addCleanup(os.close, read_end)
        wait_for(lambda: listens(board.pid), "never bound")
        board.send_signal(signal.SIGTERM)
        drained = b""
        while b"http://" not in drained and (more := os.read(read_end, 1 << 16)):
            drained += more
        self.assertIn(b"http://", drained)
        self.assertEqual(board.wait(60), 0)

    def test_a_full_disk_refuses_the_game_and_leaves_the_board_whole(self):
        folder = tempfile.mkdtemp()
        os.chmod(folder, 0o777)
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=16m", "tmpfs", folder], check=True)
        self.addCleanup(subprocess.run, ["umount", "-l", folder], check=False)
        if POSTGRES:  # a tablespace on it, for a database of its own
            server = pwd.getpwnam("postgres")
            os.chown(folder, server.pw_uid, server.pw_gid)
            name = f"full_{os.getpid()}"
            psql(f"CREATE TABLESPACE {name} LOCATION '{folder}'")
            psql(f"CREATE DATABASE {name} TABLESPACE {name}")
            database = f"postgresql:///{name}"
        else:
            database = os.path.join(folder, "board.sqlite")
        board = Board(database, "--sends-per-minute", "0")
        self.addCleanup(board.stop)
        self.assertEqual(board.send(WON[0])[0], 201)
        filler = os.path.join(folder, "filler")
        subprocess.run(["dd", "if=/dev/zero", f"of={filler}", "bs=64k"], capture_output=True, check=False)
        answers = [board.send(game) for game in WON[1:40]]
        refused = [answer for status, answer in answers if status == 503]
        self.assertTrue(refused, "nothing refused on a full disk")
        self.assertEqual(refused[0]["refused"], "the board's disk is full: the game was not kept")
        self.assertEqual({status for status, _ in answers} - {201, 503}, set())
        os.remove(filler)
        self.assertEqual(board.send(WON[40])[0], 201)
        kept_ids = [answer["id"] for status, answer in answers if status == 201]
        table = board.tables(100)["S"]
        self.assertEqual(len(table), len(kept_ids) + 2, "the tables not whole")
        for entry in kept_ids:
            self.assertEqual(board.request("GET", f"/api/games/{entry}")[0], 200)


    @unittest.skipUnless(POSTGRES, "one board from many processes is PostgreSQL's")
    def test_two_board_processes_on_one_database_serve_one_board(self):
        database = new_database()
        boards = [Board(database, "--sends-per-minute", "0") for _ in range(2)]
        for board in boards:
            self.addCleanup(board.stop)
        with concurrent.futures.ThreadPoolExecutor(2) as clients:  # the same game to both at once
            answers = sorted(clients.map(lambda board: board.send(WON[0], "Ana"), boards), key=lambda a: a[0])
        self.assertEqual([status for status, _ in answers], [201, 409])
        self.assertEqual(answers[0][1]["id"], answers[1][1]["id"], "two entries of one game")
        self.assertEqual(boards[1].send(WON[1], "Bea")[0], 201)
        # Each process's tables are the board's within a second, whichever process kept the game.
        wait_for(lambda: [row["name"] for row in boards[0].tables()["S"]] ==
                 [row["name"] for row in boards[1].tables()["S"]] and len(boards[0].tables()["S"]) == 2,
                 "the two processes' tables differ")


class Hostile(unittest.TestCase):
    def test_a_client_sending_a_byte_a_second_holds_nothing_up_and_is_cut_off(self):
        board = Board(new_database(), "--connections", "4", "--sends-per-minute", "0")
        self.addCleanup(board.stop)
        cut = []

        def dribble():
            slow = socket.create_connection(("127.0.0.1", board.port))
            slow.sendall(b"POST /api/games?name=Slow HTTP/1.1\r\nHost: board\r\nContent-Length: 4000\r\n\r\n")
            began = time.monotonic()
            try:
                while not select.select([slow], [], [], 1)[0]:
                    slow.sendall(b"x")
                slow.recv(4096)
            except OSError:
                pass
            cut.append(time.monotonic() - began)
            slow.close()

        slow_ones = [threading.Thread(target=dribble) for _ in range(2)]
        for thread in slow_ones:
            thread.start()
        began = time.monotonic()
        for game in WON[:20]:  # one after another, beside them
            self.assertEqual(board.send(game)[0], 201)
        answered_in = time.monotonic() - began
        for thread in slow_ones:
            thread.join(300)
        self.assertEqual(len(cut), 2)
        self.assertLess(answered_in, min(cut), "the fast ones waited for the slow")
        self.assertLess(max(cut), 60, "a slow client held on")

    def test_past_its_bound_of_connections_the_rest_are_answered_503_at_once(self):
        board = Board(new_database(), "--connections", "2")
        self.addCleanup(board.stop)
        idle = [socket.create_connection(("127.0.0.1", board.port)) for _ in range(2)]
        status, headers, answer = board.request("GET", "/api/board", timeout=30)
        self.assertEqual((status, headers.get("Retry-After"), answer["refused"]),
                         (503, "1", "the board is busy: try again in a moment"))
        for connection in idle:
            connection.close()
        wait_for(lambda: board.request("GET", "/api/board")[0] == 200, "busy after the idle ones went")

    def test_an_address_sending_too_often_is_told_when_to_try_again(self):
        for options, forwarded in ((["--sends-per-minute", "3"], lambda i: f"10.0.0.{i}"),  # not trusted: one address
                                   (["--sends-per-minute", "3", "--trust-proxy"], lambda i: "10.0.0.1")):
            board = Board(new_database(), *options)
            answers = [board.send(WON[i], headers={"X-Forwarded-For": "192.0.2.7, " + forwarded(i)})
                       for i in range(4)]
            self.assertEqual([status for status, _ in answers], [201, 201, 201, 429], options)
            self.assertRegex(answers[3][1]["refused"], r"^too many games sent from one address: try again in \d+ s$")
            status, headers, _ = board.request("POST", "/api/games?name=Ana", WON[4].encode(),
                                               {"X-Forwarded-For": forwarded(4)})
            self.assertTrue(1 <= int(headers["Retry-After"]) <= 20, headers)
            if "--trust-proxy" in options:
                other = board.send(WON[5], headers={"X-Forwarded-For": "10.0.0.2"})
                self.assertEqual(other[0], 201, "another address behind the proxy")
            board.stop()


class Databases(unittest.TestCase):
    def fingerprint(self, database):
        """All the database holds: PostgreSQL's dump of it, or the bytes of every file in the SQLite file's folder."""
        if POSTGRES:
            dump = subprocess.run(["pg_dump", "-d", database.rsplit("/", 1)[1]], capture_output=True, text=True,
                                  check=True).stdout
            return re.sub(r"^\\(un)?restrict .*$", "", dump, flags=re.M)  # a key of its own each time
        folder = os.path.dirname(database)
        return {name: hashlib.sha256(open(os.path.join(folder, name), "rb").read()).hexdigest()
                for name in sorted(os.listdir(folder))}

    def refused(self, database):
        """The board started on the database: its status and what it said."""
        run = subprocess.run([os.environ["BOARD"], "--database", database, "--port", "0"], capture_output=True,
                             text=True, timeout=120, check=False)
        return run.returncode, run.stdout, run.stderr

    def test_a_database_that_is_not_a_board_s_or_is_a_newer_board_s_stops_it_and_is_left_as_it_was(self):
        database = new_database()
        board = Board(database)  # a board's own, then made a newer one's
        board.stop()
        sql(database, f"UPDATE {TABLE}board_schema SET version = 3")
        cases = [(database, ": a newer board's database (its schema is version 3; this board knows versions 1 "
                            "to 2), left as it is")]
        other = new_database()
        sql(other, ("CREATE SCHEMA gorvath_board; " if POSTGRES else "") +
            f"CREATE TABLE {TABLE}notes (said text); INSERT INTO {TABLE}notes VALUES ('hi')")
        cases.append((other, ": its schema gorvath_board is another program's, not a board's (it has no version)"
                      if POSTGRES else ": another program's database, not a board's (it has tables, and none of "
                                       "a board's)"))
        if not POSTGRES:
            garbage = new_database()
            with open(garbage, "wb") as file:
                file.write(b"\x89PNG\r\n\x1a\n" + os.urandom(5000))
            cases.append((garbage, ": not a board's database (file is not a database)"))
        for place, said in cases:
            before = self.fingerprint(place)
            status, out, err = self.refused(place)
            self.assertEqual((status, out, err), (1, "", f"gorvath-board: {place}{said}\n"))
            self.assertEqual(self.fingerprint(place), before, f"{place}: touched")

    def older(self, database, extra=""):
        """A database as the board's first schema left it: two games kept, each recording in its row."""
        serial = "bigserial PRIMARY KEY" if POSTGRES else "INTEGER PRIMARY KEY"
        sql(database, (f"CREATE SCHEMA gorvath_board; " if POSTGRES else "") +
            f"CREATE TABLE {TABLE}board_schema (version integer NOT NULL); "
            f"INSERT INTO {TABLE}board_schema VALUES (1); CREATE TABLE {TABLE}games (id {serial}, mode integer NOT NULL, "
            "steps bigint NOT NULL, name text NOT NULL, kept_at text NOT NULL, identity text NOT NULL UNIQUE, "
            f"recording text NOT NULL); {extra}")
        for name, game in (("Ana", WON[0]), ("Bea", WON[1])):
            sql(database, f"INSERT INTO {TABLE}games (mode, steps, name, kept_at, identity, recording) VALUES (0, "
                          f"{steps_of(game)[0]}, '{name}', '2026-12-01T10:00:00Z', "
                          f"'{hashlib.sha256(game.encode()).hexdigest()}', '{game}')")

    def test_an_older_schema_is_upgraded_in_place_in_one_transaction(self):
        database = new_database()
        self.older(database)
        board = Board(database)
        self.addCleanup(board.stop)
        self.assertEqual(sql(database, f"SELECT version FROM {TABLE}board_schema"), "2")
        table = board.tables()["S"]
        self.assertEqual(sorted((row["name"], board.request("GET", f"/api/games/{row['id']}")[2]) for row in table),
                         sorted([("Ana", WON[0]), ("Bea", WON[1])]))
        self.assertEqual(board.send(WON[0])[0], 409, "the game kept by the old schema")
        # An upgrade that cannot be made whole (a table in the way): none of it made, the database as it was.
        broken = new_database()
        self.older(broken, f"CREATE TABLE {TABLE}recordings (in_the_way text);")
        before = sql(broken, f"SELECT version, (SELECT count(*) FROM {TABLE}games) FROM {TABLE}board_schema")
        status, _, err = self.refused(broken)
        self.assertEqual(status, 1)
        self.assertRegex(err, r"^gorvath-board: .*: (its schema could not be made or upgraded|the board's schema "
                              r"could not be read, made or upgraded) \(.*\)\n$")
        self.assertEqual(sql(broken, f"SELECT version, (SELECT count(*) FROM {TABLE}games) FROM {TABLE}board_schema"),
                         before)
        self.assertEqual(sql(broken, f"SELECT count(recording) FROM {TABLE}games"), "2")


if __name__ == "__main__":
    unittest.main(verbosity=2)
