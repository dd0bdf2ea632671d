# The Debian package: built as scripts/package.sh builds it (lintian passes it
# there), judged by Debian's validators, unpacked into a scratch root (the
# machine is left as it is) and played from elsewhere on a virtual display.

load game

setup_file() {
    start_display
    "$SOURCE_DIR/scripts/package.sh" "$BATS_FILE_TMPDIR/build" >"$BATS_FILE_TMPDIR/package.log" 2>&1 ||
        { cat "$BATS_FILE_TMPDIR/package.log" >&3; return 1; }
    deb=$(ls "$BATS_FILE_TMPDIR"/build/gorvath_*_*.deb)
    export deb root=$BATS_FILE_TMPDIR/root
    dpkg-deb -x "$deb" "$root"
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

@test "the desktop entry, the metadata and the manual page pass Debian's validators" {
    desktop-file-validate "$root/usr/share/applications/gorvath.desktop"
    appstreamcli validate --no-net "$root/usr/share/metainfo/org.gorvath.gorvath.metainfo.xml"
    zcat "$root/usr/share/man/man6/gorvath.6.gz" >"$BATS_TEST_TMPDIR/gorvath.6"
    for render in "groff -ww -wall -man -Tutf8" "env LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l"; do
        run bash -c "$render '$BATS_TEST_TMPDIR/gorvath.6' 2>&1 >/dev/null"
        [[ $status -eq 0 && -z $output ]] || { echo "$render: $output"; false; }
    done
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
