# The real game with one of its data files broken at a time: the shaders, the
# sheets, and one sound for all seven (they are read alike). Whatever the file
# is, the game says exactly what went wrong, opens its window, answers Q and
# exits with 0. One test per file; the table of damages is below. And a
# recorded game broken in every way, which the game refuses with one line and
# status 1, before any window, writing nothing.

load game

# damage FILE HOW: breaks FILE in the named way.
damage() {
    local file=$1 sheet=$SOURCE_DIR/textures/tz_effects32.jpg
    case $2 in
    missing) rm "$file" ;;
    empty) : >"$file" ;;
    halved) truncate -s $(($(stat -c %s "$file") / 2)) "$file" ;;
    directory) rm "$file" && mkdir "$file" ;;
    noise) LC_ALL=C awk 'BEGIN { srand(1234); for (i = 0; i < 4096; i++) printf "%c", int(rand() * 256) }' >"$file" ;;
    text) echo "These are not the pictures you are looking for." >"$file" ;;
    grey-jpeg) convert "$sheet" -colorspace Gray -type Grayscale "jpg:$file" ;;
    alpha-png) convert "$sheet" -alpha set -channel A -evaluate set 60% "png32:$file" ;;
    huge-header) # a real JPEG whose frame header claims 65535 x 65535 pixels
        perl -0777 -pe 's/\xff\xc0(.{3}).{4}/\xff\xc0$1\xff\xff\xff\xff/s' "$sheet" >"$file" ;;
    fifo) rm "$file" && mkfifo "$file" ;; # with no writer: opening it for reading would wait for one
    zero-device) ln -sf /dev/zero "$file" ;;
    socket) rm "$file" && perl -MIO::Socket::UNIX -e 'IO::Socket::UNIX->new(Local => shift, Listen => 1) or die' "$file" ;;
    oversized) truncate -s 2G "$file" ;; # sparse: far larger than any real file, on no disk space
    no-final-line-feed) [[ $(tail -c 1 "$file" | od -An -c) == *'\n' ]] && truncate -s -1 "$file" ;;
    ten-seconds-mono) sox -n -r 22050 -c 1 "$file" synth 10 sine 440 ;; # the longest sound taken
    ten-seconds-stereo) sox -n -r 22050 -c 2 "$file" synth 10 sine 440 ;;
    longer-mono) sox -n -r 22050 -c 1 "$file" synth 10.01 sine 440 ;;
    longer-stereo) sox -n -r 22050 -c 2 "$file" synth 10.01 sine 440 ;;
    last-page-gone) # whole pages, but the one that ends the stream is missing
        truncate -s "$(grep -obUa OggS "$file" | tail -1 | cut -d: -f1)" "$file" ;;
    longer-last-page-gone) # the same, of a sound long enough to leave some of it whole
        sox -n -r 22050 -c 1 "$file" synth 3 whitenoise vol 0.2 && damage "$file" last-page-gone ;;
    cannot-link) # compiles, but hands on a vec3 where the fragment shader takes a vec2
        printf '%s\n' '#version 430 core' 'layout (location = 0) in vec3 position;' \
            'uniform mat4 mMat; uniform mat4 vMat; uniform mat4 pMat;' 'out vec3 tc;' \
            'void main(void) { gl_Position = pMat * vMat * mMat * vec4(position, 1.0); tc = position; }' >"$file" ;;
    esac
}

every_file="missing empty halved directory noise text grey-jpeg alpha-png huge-header fifo zero-device socket
oversized"

# Each row: a damage and what the game prints for it, on standard output (a
# Perl pattern over the whole of it) and on standard error (exactly).
rows() {
    local file=$1
    case $file in
    shaders/*)
        local type=Vertex other=Fragment
        [[ $file == *frag* ]] && type=Fragment other=Vertex
        local fails="${type} Shader compilation failed\nShader Info Log:[^ \n][^\n]*\n(?:(?!${other}).*\n)*?"
        fails+="linking failed\nProgram Info Log:[^ \n].*\n(?:.*\n)*"
        for how in $every_file; do echo "$how|$fails|"; done
        echo "no-final-line-feed||"
        [[ $type == Vertex ]] && echo "cannot-link|linking failed\nProgram Info Log:[^ \n].*\n(?:.*\n)*|"
        ;;
    sounds/*)
        for how in $every_file last-page-gone longer-last-page-gone longer-mono longer-stereo; do
            echo "$how||could not load sound file ./$file"
        done
        echo "ten-seconds-mono||" && echo "ten-seconds-stereo||"
        ;;
    textures/*)
        for how in $every_file; do
            case $how in
            grey-jpeg | alpha-png) echo "$how||" ;; # any JPEG or PNG is a usable sheet
            *) echo "$how||could not load texture file ./$file" ;;
            esac
        done
        ;;
    esac
}

check_file() {
    local file=$1 how out err
    while IFS='|' read -r how out err; do
        local data=$BATS_TEST_TMPDIR/$how
        mkdir -p "$data" && cp -r "$SOURCE_DIR/shaders" "$SOURCE_DIR/textures" "$SOURCE_DIR/sounds" "$data"
        damage "$data/$file" "$how"
        start_game "$data" || { echo "$file $how: no window"; return 1; }
        press q
        finish || { echo "$file $how"; return 1; }
        if [[ -z $out ]]; then [[ ! -s $BATS_TEST_TMPDIR/out ]]; else grep -Pzq "\A$out\z" "$BATS_TEST_TMPDIR/out"; fi ||
            { echo "$file $how: standard output was:"; stdout; return 1; }
        [[ $(stderr) == "$err" ]] || { echo "$file $how: standard error was:"; stderr; return 1; }
        echo "# $file $how: out [$(stdout | head -c 60 | tr '\n' '|')] err [$(stderr)]" >&3
    done < <(rows "$file")
}

@test "vertex shader" { check_file shaders/vertShader.glsl; }
@test "fragment shader" { check_file shaders/fragShader.glsl; }
@test "class sheet" { check_file textures/tz_classm32.jpg; }
@test "undead sheet" { check_file textures/tz_undead32.jpg; }
@test "effects sheet" { check_file textures/tz_effects32.jpg; }
@test "explosion sheet" { check_file textures/explosion.jpg; }
@test "shot sound" { check_file sounds/shot.ogg; }

# Each row: a damage to a kept recording (a-game.txt, 113 lines), by name as
# for the other files or as a sed script, and what follows "gorvath: " on
# standard error, where FILE stands for the file's path.
replay_rows() {
    local unreadable="cannot read replay file FILE (missing, or not a plain file)"
    for how in missing directory fifo zero-device socket; do echo "$how|$unreadable"; done
    cat <<'ROWS'
oversized|FILE: too large for a Gorvath replay (over 64 MiB)
empty|FILE: empty, not a Gorvath replay
text|FILE: not a Gorvath replay (its first line is not "gorvath replay 2")
1s/1$/3/|FILE: a replay of version 3, which this game cannot play (it plays versions 1 and 2)
2s/$/\ndraws 0/|FILE:3: cannot read "draws 0"
1s/1$/2/;2s/$/\ndraws 362880001/|FILE:3: the draws must be a whole number from 0 to 362880000
1s/1$/2/;2s/$/\ntrapcount 7/|FILE:3: the Trap's count must be a whole number from 0 to 6
1s/1$/2/;2s/$/\nexplosion 0 0 11 0/|FILE:3: an explosion is its x and y (-2 to 2), its tile (0 to 10) and when it last stepped (0 to 604800 s)
1s/1$/2/;2s/$/\nexplosion 0 2.5 1 0/|FILE:3: an explosion is its x and y (-2 to 2), its tile (0 to 10) and when it last stepped (0 to 604800 s)
1s/1$/2/;2s/$/\nexplosion 0 0 1 nan/|FILE:3: an explosion is its x and y (-2 to 2), its tile (0 to 10) and when it last stepped (0 to 604800 s)
1s/1$/2/;2s/$/\nexplosion 0 0 1 0/;2s/\n.*/&&&&&&&&&&&&&/|FILE:15: more explosions than a game leaves behind (at most 12)
1s/1$/2/;4s/$/\ndraws 1/|FILE:5: cannot read "draws 1"
$d|FILE: cut short: no end line
$s/end .*/end 12345/|FILE:113: a checksum is eight hexadecimal digits, not "12345"
5s/.*/jump to the end/|FILE:5: cannot read "jump to the end"
2s/.*/seed 4294967296/|FILE:2: the seed must be a whole number from 0 to 4294967295
5s/^step [0-9]*/step 36288001/|FILE:5: step 36288001 is out of order or out of range (0 to 36288000, never less than the line above)
6s/^step [0-9]*/step 3/|FILE:6: step 3 is out of order or out of range (0 to 36288000, never less than the line above)
5s/key [A-Z]*/key Q/|FILE:5: no such key or action: "Q press" (keys: S A UP DOWN LEFT RIGHT SPACE F; actions: press repeat release)
$s/end .*/end 100000000/|FILE:113: a checksum is eight hexadecimal digits, not "100000000"
$s/end .*/end 0ffffffff/|FILE:113: a checksum is eight hexadecimal digits, not "0ffffffff"
2s/.*//|FILE:3: cannot read "step 38 key A press"
ROWS
}

@test "recorded game" {
    local how err row=0
    while IFS='|' read -r how err; do
        local dir=$BATS_TEST_TMPDIR/$((++row))
        mkdir -p "$dir" && cp "$SOURCE_DIR/tests/replays/a-game.txt" "$dir/game.txt"
        [[ $how == *[/$]* ]] && sed -i "$how" "$dir/game.txt" || damage "$dir/game.txt" "$how"
        local before
        before=$(ls -l --time-style=full-iso "$dir")
        for mode in --check --replay; do
            (cd "$dir" && timeout 120 "$GAME" $mode game.txt) >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err" &&
                status=0 || status=$?
            [[ $status == 1 && -z $(stdout) && $(stderr) == "gorvath: ${err//FILE/$dir/game.txt}" ]] ||
                { echo "$how $mode: status $status, out [$(stdout)], err [$(stderr)]"; return 1; }
        done
        [[ $(ls -l --time-style=full-iso "$dir") == "$before" ]] || { echo "$how: something was written"; return 1; }
        echo "# $how: $(stderr)" >&3
    done < <(replay_rows)
}
