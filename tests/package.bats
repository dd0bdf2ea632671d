# The Debian packages, the game's and its board's: built as scripts/package.sh
# builds them (lintian passes them there), judged by Debian's validators,
# unpacked into a scratch root (the machine is left as it is), the game played
# from elsewhere on a virtual display and the board serving a game.

load game

setup_file() {
    start_display
    "$SOURCE_DIR/scripts/package.sh" "$BATS_FILE_TMPDIR/build" >"$BATS_FILE_TMPDIR/package.log" 2>&1 ||
        { cat "$BATS_FILE_TMPDIR/package.log" >&3; return 1; }
    deb=$(ls "$BATS_FILE_TMPDIR"/build/gorvath_*_*.deb) board=$(ls "$BATS_FILE_TMPDIR"/build/gorvath-board_*_*.deb)
    export deb board root=$BATS_FILE_TMPDIR/root
    dpkg-deb -x "$deb" "$root"
    dpkg-deb -x "$board" "$root"
}

@test "the package holds the game, its data, entry, icon, metadata, manual, copyright and changelog" {
    local version
    version=$(sed -n 's/^project(Gorvath VERSION \([0-9.]*\) .*/\1/p' "$SOURCE_DIR/CMakeLists.txt")
    [[ $(basename "$deb") == "gorvath_${version}_$(dpkg --print-architecture).deb" ]]
    run bash -c "dpkg-deb -c '$deb' | awk '\$1 !~ /^d/ { print \$6 }'"
    local share=./usr/share data=./usr/share/games/gorvath
    diff <(echo "$output") <(printf '%s\n' ./usr/games/gorvath ./usr/lib/games/gorvath/gorvath \
        $share/applications/gorvath.desktop $share/doc/gorvath/{changelog.gz,copyright} \
        $data/shaders/{fragShader,vertShader}.glsl $data/sounds/{bomb,caught,explosion,shot,start,stun,won}.ogg \
        $data/textures/{digits.png,explosion.jpg,gorvath.png,tz_classm32.jpg,tz_effects32.jpg,tz_undead32.jpg} \
        $share/icons/hicolor/64x64/apps/gorvath.png $share/man/man6/gorvath.6.gz \
        $share/metainfo/org.gorvath.gorvath.metainfo.xml)
    # Depends, as dpkg-shlibdeps found them: the libraries the game links.
    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "# Depends: $depends" >&3
    for library in libc6 libglew2.2 libglfw3 libopenal1 libstb0 libstdc++6; do
        [[ $depends == *"$library "* ]] || { echo "no $library in: $depends"; return 1; }
    done
    [[ $(dpkg-deb -f "$deb" Version) == "$version" && $(dpkg-deb -f "$deb" Section) == games ]]
    # The icon: our Mascot on a transparent square.
    run identify -format '%w %h %[channels] %[fx:p{0,0}.a]' "$root/usr/share/icons/hicolor/64x64/apps/gorvath.png"
    [[ $output == "64 64 srgba 0" ]] || { echo "$output"; false; }
}

@test "the desktop entry, the metadata, the manual pages and the board's unit pass Debian's validators" {
    desktop-file-validate "$root/usr/share/applications/gorvath.desktop"
    appstreamcli validate --no-net "$root/usr/share/metainfo/org.gorvath.gorvath.metainfo.xml"
    for page in gorvath gorvath-board; do
        zcat "$root/usr/share/man/man6/$page.6.gz" >"$BATS_TEST_TMPDIR/$page.6"
        for render in "groff -ww -wall -man -Tutf8" "env LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l"; do
            run bash -c "$render '$BATS_TEST_TMPDIR/$page.6' 2>&1 >/dev/null"
            [[ $status -eq 0 && -z $output ]] || { echo "$page, $render: $output"; false; }
        done
    done
    # The unit as installed, but for where the board lies in the scratch root.
    sed "s|^ExecStart=/usr/games/gorvath-board |ExecStart=$root/usr/games/gorvath-board |" \
        "$root/lib/systemd/system/gorvath-board.service" >"$BATS_TEST_TMPDIR/gorvath-board.service"
    grep -q "^ExecStart=$root/" "$BATS_TEST_TMPDIR/gorvath-board.service"
    systemd-analyze verify --man=no "$BATS_TEST_TMPDIR/gorvath-board.service"
}

@test "the board's package holds the board, its unit, manual, copyright and changelog, and starts nothing" {
    run bash -c "dpkg-deb -c '$board' | awk '\$1 !~ /^d/ { print \$6 }'"
    diff <(echo "$output") <(printf '%s\n' ./lib/systemd/system/gorvath-board.service ./usr/games/gorvath-board \
        ./usr/share/doc/gorvath-board/{changelog.gz,copyright} ./usr/share/man/man6/gorvath-board.6.gz)
    local depends
    depends=$(dpkg-deb -f "$board" Depends)
    echo "# Depends: $depends" >&3
    for library in libcpp-httplib0.11 libpq5 libsqlite3-0; do
        [[ "$depends," == *"$library"[\ ,]* ]] || { echo "no $library in: $depends"; return 1; }
    done
    [[ $depends != *GL* && $depends != *glfw* && $depends != *openal* ]]
    run ! bash -c "dpkg-deb --ctrl-tarfile '$board' | tar -t | grep -E 'inst|rm'" # no maintainer scripts
}

@test "unpacked, the board keeps a won game sent to it and hands it back to watch" {
    "$root/usr/games/gorvath-board" --database "$BATS_TEST_TMPDIR/board.sqlite" --port 0 >"$BATS_TEST_TMPDIR/out" &
    pid=$!
    local address
    for _ in $(seq 600); do
        address=$(sed -n 's|.*\(http://[0-9.:]*/\).*|\1|p' "$BATS_TEST_TMPDIR/out")
        [[ -n $address ]] && break
        sleep 0.1
    done
    run curl -s --data-binary @"$SOURCE_DIR/tests/replays/s-won.txt" --url-query name=Ana "${address}api/games"
    [[ $output == '{"mode":"S","time":"7.07","steps":424,"place":1,"id":1}' ]]
    curl -s -o "$BATS_TEST_TMPDIR/first.txt" "${address}api/games/1"
    cmp "$BATS_TEST_TMPDIR/first.txt" "$SOURCE_DIR/tests/replays/s-won.txt"
    [[ $("$root/usr/games/gorvath-board" --version) == "gorvath-board $(dpkg-deb -f "$board" Version)" ]]
}

@test "unpacked, the game starts from any directory: the title screen, then Q; its arguments pass through" {
    start_game "$BATS_TEST_TMPDIR" "$root/usr/games/gorvath" --record game.txt
    await_drawn 0 0 600 400 "x0 >= 285 && y0 >= 185 && x1 <= 315 && y1 <= 215 && x1 - x0 > 15" # the Mascot, alone
    quit
    [[ -z $(stdout) && -z $(stderr) ]]
    # The file named is the player's, where the launcher was run.
    cd "$BATS_TEST_TMPDIR"
    run "$root/usr/games/gorvath" --check game.txt
    [[ $output == "replay matches: 0 steps" ]]
    [[ $("$root/usr/games/gorvath" --version) == "gorvath $(dpkg-deb -f "$deb" Version)" ]]
}
