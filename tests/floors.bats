# The house's floors: each folder includes only its own headers and those of
# the floors below it, so no dependency points upwards; the game and its
# entities make no GL or audio call, and the board links none.

bats_require_minimum_version 1.5.0

# Each row: a folder and the folders it may include from, besides its own.
floors() {
    cat <<'ROWS'
app session play replay bests input render audio game entity files
board play bests replay game entity files
session play replay bests render audio game entity files
play replay game entity files
replay files
bests files
input
render game entity files
audio game entity files
game entity
entity
files
ROWS
}

@test "every include points down the house, and game/ and entity/ stay clear of GL and sound" {
    cd "$SOURCE_DIR"
    local folder allowed included
    while read -r folder allowed; do
        while IFS=: read -r file included; do
            [[ " $folder $allowed " == *" ${included%%/*} "* ]] || { echo "$file includes $included"; return 1; }
        done < <(grep -o '^#include "[a-z_]*/[^"]*"' "$folder"/* | sed 's/#include "\(.*\)"/\1/')
    done < <(floors)
    # Every folder of the game's code is a floor of the table.
    run ! grep -vxf <(floors | cut -d' ' -f1; printf '%s\n' tests bench tools) <(ls -d */*.cpp | cut -d/ -f1)
    run ! grep -l '#include <\(GL\|AL\|GLES[0-9]*\)/' game/* entity/*
    # The top floor stays the entry, the window and the frame loop.
    (($(cloc --quiet --csv app | awk -F, '$2 == "SUM" { print $5 }') <= 700))
}

@test "the board links no GL, window or sound library: the game's rules, reader and player without a screen" {
    run readelf -d "$BOARD"
    [[ $output == *"NEEDED"*"libsqlite3"* ]] # what it reads is the board's own list
    run ! grep -Ei 'NEEDED.*(GL|glfw|openal|X11|vorbis|asound|pulse)' <<<"$output"
}
