#!/usr/bin/python3
"""The world's board under load from wrk, on this machine: won games (made by
tools/won_games.cpp, each a different game) verified and kept a second, each
committed before it is answered; the board's CPU a game; its tables read a
second at 64 connections, and the 99th percentile of their answers; and, on
PostgreSQL, the commits a second the database makes on its own (pgbench), to
reckon what each more board process adds.

  bench/board/board_bench.py BUILD_DIR sqlite
  pg_virtualenv bench/board/board_bench.py BUILD_DIR postgresql
"""
import os
import re
import subprocess
import sys
import tempfile
import time

build, kind = sys.argv[1:3]
here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "board"))
os.environ.update(BOARD=os.path.join(build, "gorvath-board"), WON_GAMES=os.path.join(build, "won_games"),
                  BOARD_DATABASE=kind)
from board import Board, new_database, sql  # noqa: E402

SENDING = 5  # seconds of sending: fewer than the games would last


def wrk(*arguments):
    run = subprocess.run(["wrk", *arguments], capture_output=True, text=True, check=True)
    return run.stdout


folder = tempfile.mkdtemp()
subprocess.run([os.environ["WON_GAMES"], "40000", folder], check=True, capture_output=True)
listed = os.path.join(folder, "list")
with open(listed, "w") as games:
    games.write("".join(f"{folder}/won-{i:04d}.txt\n" for i in range(1, 40001)))

def cpu(*pids):
    """The CPU seconds each process has spent, of those still there."""
    spent = {}
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as stat:
                spent[pid] = sum(map(int, stat.read().split()[13:15])) / os.sysconf("SC_CLK_TCK")
        except FileNotFoundError:
            pass
    return spent


def since(before, after):
    """The CPU seconds spent from one reading to the next, by the processes in both."""
    return sum(after[pid] - before[pid] for pid in before.keys() & after.keys())


def postgres():
    """The PostgreSQL server's processes."""
    return [pid for pid in os.listdir("/proc") if pid.isdigit() and os.path.exists(f"/proc/{pid}/comm") and
            open(f"/proc/{pid}/comm").read().strip() == "postgres"]


board = Board(new_database(), "--sends-per-minute", "0")
servers = postgres()
before = cpu(board.process.pid, *servers)
sent = wrk("-t2", "-c64", f"-d{SENDING}s", "-s", os.path.join(here, "send_games.lua"), f"http://127.0.0.1:{board.port}",
           "--", listed, "2")
after = cpu(board.process.pid, *servers)
spent = since({board.process.pid: before[board.process.pid]}, after)
server_spent = since({pid: before[pid] for pid in servers if pid in before}, after)
table = "gorvath_board.games" if kind == "postgresql" else "games"
kept = int(sql(board.database, f"SELECT count(*) FROM {table}"))
latency = re.search(r"Latency\s+(\S+)", sent)[1]
print(f"{kind}: won games verified and kept, each committed before its answer: {kept / SENDING:.0f} a second "
      f"({kept} in {SENDING} s from 64 connections, {latency} on average an answer); the board's CPU "
      f"{1000 * spent / kept:.2f} ms a game" + (f", PostgreSQL's {1000 * server_spent / kept:.2f} ms" if servers else "") +
      "; goal at least 500 a second")

read = wrk("-t2", "-c64", "-d10s", "--latency", f"http://127.0.0.1:{board.port}/api/board")
reads, p99 = float(re.search(r"Requests/sec:\s+(\S+)", read)[1]), re.search(r"99%\s+(\S+)", read)[1]
print(f"{kind}: the tables read (each mode's top ten, {kept} games kept): {reads:.0f} a second at 64 connections, "
      f"the 99th percentile {p99}; goal at least 10 000 a second, the 99th percentile under 20 ms")
board.stop()

if kind == "postgresql":
    # The database's own commits a second, one small row each, from 16 clients: what every board process
    # on it shares.
    database = new_database().rsplit("/", 1)[1]
    subprocess.run(["psql", "-Xq", "-d", database, "-c", "CREATE TABLE kept (id bigserial, text text)"], check=True)
    script = os.path.join(folder, "commit.sql")
    with open(script, "w") as commit:
        commit.write("INSERT INTO kept (text) VALUES (repeat('x', 4000));\n")
    bench = subprocess.run(["pgbench", "-n", "-c16", "-j2", "-T5", "-f", script, database], capture_output=True,
                           text=True, check=True).stdout
    commits = float(re.search(r"tps = (\S+)", bench)[1])
    print(f"postgresql: commits a second of its own (pgbench, 16 clients, a game's bytes each): {commits:.0f}")
