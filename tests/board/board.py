"""What the tests of the world's board share: the real server (BOARD) started on
a free port of its own, on a database of its own, SQLite (a file) or, where
BOARD_DATABASE is postgresql, PostgreSQL (the cluster pg_virtualenv has made,
as its PGHOST, PGPORT and PGUSER say); games won by tools/won_games.cpp
(WON_GAMES), a different one for each seed; and games sent, tables read, as a
player's page or curl does it."""
import contextlib
import http.client
import itertools
import json
import os
import re
import signal
import sqlite3
import subprocess
import tempfile
import time
import urllib.parse

BOARD, WON_GAMES = os.environ["BOARD"], os.environ["WON_GAMES"]
POSTGRES = os.environ.get("BOARD_DATABASE") == "postgresql"
numbers = itertools.count(1)


def won_games(count, mode="S"):
    """That many games won, each as the game records a game alone; and one lost."""
    folder = tempfile.mkdtemp()
    subprocess.run([WON_GAMES, str(count), folder, mode], check=True, capture_output=True)
    read = lambda name: open(os.path.join(folder, name)).read()  # noqa: E731
    return [read(f"won-{i:04d}.txt") for i in range(1, count + 1)], read("lost.txt")


def psql(sql, database="postgres"):
    """What PostgreSQL answers the statements with, unaligned."""
    return subprocess.run(["psql", "-XAtq", "-v", "ON_ERROR_STOP=1", "-d", database, "-c", sql], check=True,
                          capture_output=True, text=True).stdout.strip()


def new_database():
    """A database of its own: a file's path in a folder of its own, or a new PostgreSQL database's address."""
    if POSTGRES:
        name = f"board_{os.getpid()}_{next(numbers)}"
        psql(f"CREATE DATABASE {name}")
        return f"postgresql:///{name}"
    return os.path.join(tempfile.mkdtemp(), "board.sqlite")


def sql(database, statements):
    """Statements run on the board's database, as another program would: what a SELECT answers, unaligned."""
    if POSTGRES:
        return psql(statements, database.rsplit("/", 1)[1])
    with contextlib.closing(sqlite3.connect(database)) as db:
        if statements.lstrip().upper().startswith("SELECT"):
            return "\n".join("|".join(map(str, row)) for row in db.execute(statements))
        db.executescript(statements)
        db.commit()
        return ""


class Board:
    """The board running on a database, on a free port, started with its options (and in front of it, a command
    such as unshare); what it said, once it has ended."""
    def __init__(self, database, *options, before=()):
        self.database = database
        self.process = subprocess.Popen([*before, BOARD, "--database", database, "--port", "0", *options],
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        found = re.search(r"http://127\.0\.0\.1:(\d+)/", line)
        if not found:
            self.process.wait(60)
            raise RuntimeError(f"the board did not start: {line}{self.process.stderr.read()}")
        self.port = int(found[1])

    def stop(self, how=signal.SIGTERM):
        self.process.send_signal(how)
        status = self.process.wait(60)
        self.process.stdout.close()
        self.process.stderr.close()
        if how == signal.SIGTERM and status != 0:  # stopped, it ends as it ends its work: well
            raise AssertionError(f"the board stopped with {status}")

    def request(self, method, path, body=None, headers=None, timeout=120):
        """The board's answer: its status, its headers and its body (JSON read as such)."""
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        try:
            connection.request(method, path, body=body, headers=headers or {})
            answer = connection.getresponse()
            data = answer.read().decode()
            kind = answer.getheader("Content-Type", "")
            return answer.status, dict(answer.getheaders()), json.loads(data) if "json" in kind else data
        finally:
            connection.close()

    def send(self, recording, name="Ana", headers=None):
        """A game sent as the page and curl send one: its recording, the name in the address."""
        body = recording.encode() if isinstance(recording, str) else recording
        status, headers, answer = self.request("POST", "/api/games?" + urllib.parse.urlencode({"name": name}), body,
                                               headers)
        return status, answer

    def tables(self, top=10):
        status, _, answer = self.request("GET", f"/api/board?top={top}")
        assert status == 200, answer
        return answer


def wait_for(ready, failure, seconds=120):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if ready():
            return
        time.sleep(0.05)
    raise AssertionError(failure)
