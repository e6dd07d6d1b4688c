# d88dir and d88dir-fixed on a two-disk sample image.
set -eu
work="$BUILD/demo/d88dir"
rm -rf "$work" && mkdir -p "$work" && cd "$work"
echo "== d88dir dirdisks.d88 0"
"$BUILD/tools/d88dir/d88dir" "$SAMPLES/dirdisks.d88" 0 2>&1 | iconv -f CP932 -t UTF-8
echo "== files written:"
ls -l
echo "== README:"
head -n 1 README
rm -rf "$work" && mkdir -p "$work" && cd "$work"
echo "== d88dir-fixed dirdisks.d88"
"$BUILD/tools/d88dir/d88dir-fixed" "$SAMPLES/dirdisks.d88" 2>&1 | iconv -f CP932 -t UTF-8
