# d88title on the two layout samples: all files, one file by name, and a
# run of sectors cut out of a disk.
set -eu
title="$BUILD/tools/d88title/d88title"
work="$BUILD/demo/d88title"
fresh() {
    rm -rf "$work/$1" && mkdir -p "$work/$1" && cd "$work/$1"
}
fresh 2hd
echo "== d88title title2hd.d88"
"$title" "$SAMPLES/title2hd.d88" 2>&1 | iconv -f CP932 -t UTF-8
echo "== files written:"
ls -l
echo "== README:"
head -n 1 README
fresh 2dd-opening
echo "== d88title title2dd.d88 opening"
"$title" "$SAMPLES/title2dd.d88" opening 2>&1 | iconv -f CP932 -t UTF-8
echo "== files written:"
ls -l
fresh cut
echo "== d88title title2hd.d88 cut.bin 0 0 16 600"
"$title" "$SAMPLES/title2hd.d88" cut.bin 0 0 16 600 2>&1 | iconv -f CP932 -t UTF-8
echo "== files written:"
ls -l
