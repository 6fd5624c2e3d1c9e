#!/usr/bin/env bash
# seed-corpus.sh CORPUS --plain FILES... --wire FILES...: copies seed files into a fuzz corpus
# folder. "Wire" files are the station's UTF-8 text with plain line feeds; they go in as the
# program receives them: the Korean code page with CR LF line ends.
set -euo pipefail
corpus=$1
shift
mkdir -p "$corpus"
mode=plain
for file in "$@"; do
    case "$file" in
        --plain | --wire) mode=${file#--} && continue ;;
    esac
    # the folder's name keeps seeds of the same name from different skins apart
    name="seed-$(basename "$(dirname "$file")")-$(basename "$file")"
    if [ "$mode" = wire ]; then
        sed 's/$/\r/' "$file" | iconv -f UTF-8 -t CP949 >"$corpus/$name"
    else
        cp "$file" "$corpus/$name"
    fi
done
