#!/usr/bin/env bash
# Writes DIR/service-worker.js, the page's worker that keeps every other file
# of DIR for playing offline, from web/service-worker.js: each file's name
# with the SHA-256 of its content, and the build's version, the digest of
# them all.
#   scripts/web-offline.sh DIR      (scripts/web.sh runs it on build-web/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dir=$1

files=""
for file in $(cd "$dir" && ls | grep -vx service-worker.js); do
    files+="\"$file\": \"$(sha256sum <"$dir/$file" | cut -d' ' -f1)\", "
done
version=$(sha256sum <<<"$files" | cut -c1-16)
sed "s|^const build = .*|const build = { version: \"$version\", files: { ${files%, } } };|" \
    "$root/web/service-worker.js" >"$dir/service-worker.js"
