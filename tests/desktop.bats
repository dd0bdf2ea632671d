# The real game on every player's keyboard and screen: keys by the letters
# printed on them under other layouts, a scaled screen, a pause when another
# window takes the focus, a pause that can be seen, and the window's icon.

load game

teardown() {
    kill "$pid" ${other:-} 2>/dev/null || true
    setxkbmap us
}

@test "under French, Dvorak and German layouts the keys labelled A, S and Q start their games and quit" {
    for layout in fr "us -variant dvorak" de; do
        for row in "a $AMBER_TRAP" "s $BLUE_TRAP"; do
            read -r letter trap <<<"$row"
            setxkbmap $layout && start_game "$SOURCE_DIR" && press "$letter"
            await_pixel 315 8 "$trap" && press q && finish || { echo "$layout: $letter, then q"; return 1; }
        done
    done
    # Switched while the game runs, a layout takes effect at once.
    setxkbmap us && start_game "$SOURCE_DIR" && setxkbmap fr && press a
    await_pixel 315 8 "$AMBER_TRAP"
}

@test "at 200 % scaling the window opens at 1200 x 800, the field filling it" {
    echo 'Xft.dpi: 192' | xrdb -merge
    start_game "$SOURCE_DIR"
    xrdb -remove
    await_geometry 1200x800 # a busy machine may show the window a moment before its size settles
    press s
    await_pixel 630 16 "$BLUE_TRAP"
}

@test "another window taking the focus pauses the game, which shows it, until P; the window has its icon and class" {
    with_pretend_glfw
    start_game "$SOURCE_DIR" "${PRETEND_GAME[@]}"
    [[ $(xprop -id "$window" WM_CLASS) == 'WM_CLASS(STRING) = "gorvath", "'$(
        sed -n 's/^StartupWMClass=//p' "$SOURCE_DIR/install/gorvath.desktop")'"' ]]
    [[ $(xprop -id "$window" _NET_WM_ICON | head -2) == *"Icon (64 x 64)"* ]]
    press p s # P pauses nothing on the title screen: S starts a game
    await_pixel 315 8 "$BLUE_TRAP"
    xmessage -title other "a chat message" >/dev/null 2>&1 3>&- &
    other=$!
    xdotool windowfocus --sync "$(timeout 60 xdotool search --sync --onlyvisible --name '^other$' | head -1)"
    await_pixel 5 395 '^(1[2-5][0-9]),\1,\1$' # the white field, dimmed
    await_title "Gorvath (paused)"
    shot paused.png
    await_no_swaps # paused, nothing is drawn
    shot still-paused.png
    same paused.png still-paused.png
    [[ $(pixel 300 200) =~ ^[0-9]{1,2},[0-9]{1,2},[0-9]{1,2}$ && $(pixel 320 200) =~ $WHITE ]] # the sign
    press p # the focus back, the game still paused until P
    await_pixel 5 395 "$WHITE"
    await_title Gorvath
}
