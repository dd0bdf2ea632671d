#!/usr/bin/env bash
# Writes DIR/service-worker.js, the page's worker that keeps every other file
# of DIR for playing offline, from web/service-worker.js (or WORKER): each
# file's name with the SHA-256 of its content, and the build's version, the
# digest of them all and of the worker's own code, so that it changes with
# anything that changes.
#   scripts/web-offline.sh DIR [WORKER]     (scripts/web.sh runs it on build-web/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dir=$1
worker=${2:-$root/web/service-worker.js}

files=""
for file in $(cd "$dir" && ls | grep -vx service-worker.js); do
    files+="\"$file\": \"$(sha256sum <"$dir/$file" | cut -d' ' -f1)\", "
done
version=$(cat - "$worker" <<<"$files" | sha256sum | cut -c1-16)
sed "s|^const build = .*|const build = { version: \"$version\", files: { ${files%, } } };|" \
    "$worker" >"$dir/service-worker.js"
