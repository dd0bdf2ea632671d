#!/usr/bin/env bash
# Takes the README's screenshots from the real game on a virtual display:
# the title screen, a game steered by keys (S), the explosion of a caught
# Player, a game whose Trap steers itself (A), paused, and maximised; a won
# game's time, as a new best and as third of the five (a kept won game played
# by the pretend player of tests/support/pretend_glfw.c); and the
# web build's page in headless Chromium, on a desktop and on a phone upright
# and on its side; and the page beside the world's board, a won game sent to it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [[ -z "${GORVATH_ON_XVFB:-}" ]]; then
    "$root/scripts/install-deps.sh" --test
    cmake -S "$root" -B "$root/build" >/dev/null
    cmake --build "$root/build" --target gorvath pretend_glfw gorvath-board won_games -j"$(nproc)"
    GORVATH_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$@"
fi

cd "$root"
build/gorvath &
game=$!
trap 'kill $game 2>/dev/null || true' EXIT
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid $game --name '^Gorvath$' 2>/dev/null | head -1 || true)
    [[ -n "$window" ]] && break
    sleep 0.1
done
[[ -n "$window" ]] || { echo "the game window did not appear" >&2; exit 1; }

# A window just mapped may not take the focus yet: try again shortly.
key() {
    for _ in $(seq 50); do
        xdotool windowfocus --sync "$window" 2>/dev/null && { xdotool key "$1"; return; }
        sleep 0.1
    done
    return 1
}
shoot() { import -window "$window" "$root/docs/$1"; }
# How much of the box around the Player's place burns orange or yellow (0 to 1).
fire_near_player() {
    convert "$root/docs/$1" -crop 70x70+0+165 +repage -fx 'r > 0.7 && b < 0.45 && g < 0.95 ? 1 : 0' \
        -format '%[fx:mean]' info:
}

sleep 0.7
shoot title.png && echo docs/title.png
key s
shoot mode-s.png && echo docs/mode-s.png
# The idle Player is caught within a few seconds, and
# its explosion plays for a little over a second of real time.
for _ in $(seq 200); do
    shoot explosion.png
    if awk "BEGIN { exit !($(fire_near_player explosion.png) > 0.1) }"; then
        echo docs/explosion.png
        break
    fi
done
sleep 1.5
key a
shoot mode-a.png && echo docs/mode-a.png
key p
sleep 0.3
shoot paused.png && echo docs/paused.png
key p
# Maximised on a wide screen: the whole field, centred, black bars at the sides.
xdotool windowsize --sync "$window" 1280 720
sleep 0.5
shoot maximised.png && echo docs/maximised.png
key q
wait $game

# won HOME NAME: the kept S game won, its bests kept in HOME; its picture a moment after, as docs/NAME.
won() {
    XDG_DATA_HOME=$1 LD_PRELOAD=build/tests/libpretend_glfw.so PRETEND_GAME=tests/replays/s-won.txt PRETEND_STAY=1 \
        build/gorvath &
    game=$!
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --pid $game --name '^Gorvath$' 2>/dev/null | head -1 || true)
        [[ -n "$window" ]] && break
        sleep 0.1
    done
    sleep 4 # won within the first two seconds: the pretend player plays as fast as the game draws
    shoot "$2" && echo "docs/$2"
    kill $game
    wait $game || true
}
homes=$(mktemp -d)
won "$homes/fresh" won-best.png
mkdir -p "$homes/third/gorvath"
printf '%s\n' "gorvath bests 1" "S 300 2026-12-01T20:00:00 s-1.txt" "S 400 2026-12-02T21:30:00 s-2.txt" end \
    >"$homes/third/gorvath/bests.txt"
won "$homes/third" won-third.png
rm -rf "$homes"

"$root/scripts/web.sh" >/dev/null
/usr/bin/python3 - "$root" <<'SHOOT'
import sys, time
sys.path.insert(0, sys.argv[1] + "/tools")
from headless import choose_file, chromium, serve
driver = chromium()
cdp = driver.execute_cdp_cmd
site = serve(sys.argv[1] + "/build-web")

def screen(width, height, scale, mobile):
    upright = height > width
    cdp("Emulation.setDeviceMetricsOverride", {"width": width, "height": height, "deviceScaleFactor": scale,
        "mobile": mobile, "screenOrientation": {"type": "portraitPrimary" if upright else "landscapePrimary",
                                                "angle": 0 if upright else 90}})
    cdp("Emulation.setTouchEmulationEnabled", {"enabled": mobile, "maxTouchPoints": 10})
    driver.get(site)
    time.sleep(1)

def tap(code):
    box = driver.execute_script(f"return document.querySelector('[data-key={code}]').getBoundingClientRect()")
    cdp("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [
        {"x": box["x"] + box["width"] / 2, "y": box["y"] + box["height"] / 2}]})
    cdp("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

screen(800, 600, 1, False)
for kind in ("keyDown", "keyUp"):
    cdp("Input.dispatchKeyEvent", {"type": kind, "key": "s", "code": "KeyS"})
time.sleep(1.5)
driver.save_screenshot(sys.argv[1] + "/docs/browser.png")
print("docs/browser.png")
# A game shared as a link (a kept one, opened, then shared), opened as a friend opens it.
choose_file(driver, sys.argv[1] + "/tests/replays/s-then-a.txt")
time.sleep(0.5)
driver.execute_script("navigator.clipboard.writeText = () => Promise.reject(); document.getElementById('share').click()")
time.sleep(0.5)
link = driver.execute_script("return document.getElementById('link').value")
driver.get("about:blank")
driver.get(link)
time.sleep(6.5)
driver.save_screenshot(sys.argv[1] + "/docs/shared-game.png")
print("docs/shared-game.png")
# A phone upright, and on its side, each in a game begun by a touch; the shots at CSS pixels, as seen.
for name, width, height in (("phone-upright", 412, 915), ("phone-side", 915, 412)):
    screen(width, height, 1, True)
    tap("KeyS" if height > width else "KeyA")
    time.sleep(1.5)
    driver.save_screenshot(f"{sys.argv[1]}/docs/{name}.png")
    print(f"docs/{name}.png")
driver.quit()
SHOOT
# The page served by the world's board, which holds a few games of other players (played by
# tools/won_games.cpp); the kept s-won.txt won in it by its keys and sent to the world.
/usr/bin/python3 - "$root" <<'WORLD'
import os, re, sys, tempfile, time
root = sys.argv[1]
os.environ.update(BOARD=root + "/build/gorvath-board", WON_GAMES=root + "/build/won_games")
sys.path[:0] = [root + "/tools", root + "/tests/board"]
from headless import CLOCK, chromium, press_recorded_keys
from board import Board, new_database, won_games
won, _ = won_games(6)
won_a, _ = won_games(6, "A")
board = Board(new_database(), "--site", root + "/build-web", "--sends-per-minute", "0")
for name, game in zip(["Kofi", "Βασίλης", "Mika_7", "Zoë", "Bea", "Мирослава"] * 2, won + won_a):
    board.send(game, name)
driver = chromium()
driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {"width": 1000, "height": 700, "deviceScaleFactor": 1,
                                                              "mobile": False})
text = open(root + "/tests/replays/s-won.txt").read()
seed, end = re.search(r"seed (\d+)", text)[1], int(re.search(r"step (\d+) end", text)[1])
driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": CLOCK + f"Date.now = () => {seed}000;"})
driver.get(f"http://127.0.0.1:{board.port}/")
while not driver.execute_script("tick(1); return Module.firstFrameAt && !document.querySelector('.world').hidden"):
    time.sleep(0.05)
driver.execute_script(f"tick({end - press_recorded_keys(driver, text) + 60})")
driver.execute_script("document.getElementById('name').value = 'Ana'; document.getElementById('send').requestSubmit()")
while "Kept" not in driver.execute_script("return document.getElementById('said').textContent"):
    time.sleep(0.05)
time.sleep(0.5)
driver.save_screenshot(root + "/docs/world.png")
print("docs/world.png")
driver.quit()
board.stop()
WORLD
