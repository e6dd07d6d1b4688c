# decomp on a sample compressed file: into a second file, then in place.
set -eu
work="$BUILD/demo/decomp"
rm -rf "$work" && mkdir -p "$work" && cd "$work"
cp "$SAMPLES/sample.lz" sample.lz
echo "== sample.lz, $(wc -c < sample.lz) bytes, first bytes:"
od -A d -t x1 sample.lz | head -n 2
echo "== decomp sample.lz sample.txt (status $("$BUILD/tools/decomp/decomp" sample.lz sample.txt; echo $?))"
cat sample.txt
echo "== decomp sample.lz /dev/stdout | head -n 2"
"$BUILD/tools/decomp/decomp" sample.lz /dev/stdout | head -n 2
echo "== decomp sample.lz, in place (status $("$BUILD/tools/decomp/decomp" sample.lz; echo $?))"
ls -l
cmp sample.lz sample.txt && echo "== both decoded files are the same"
