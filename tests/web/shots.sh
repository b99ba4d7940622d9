#!/usr/bin/env bash
# shots.sh DRIVER ENGINE PAGE DIR: a picture of each tab of the page in the
# engine, into DIR (tab1-unit-converter.png ...), each as large as the
# driver's viewport, for a person to look at.
set -euo pipefail
driver=$1 engine=$2 page=$3 dir=$4
mkdir -p "$dir"
names=(unit-converter v-cut gold-finger countersink)
script=""
for tab in 0 1 2 3; do
    rm -f "$dir/tab$((tab + 1))-${names[$tab]}.png"
    script+=$(printf 'tab %d\nshot %s/tab%d-%s.png\n' "$tab" "$dir" $((tab + 1)) "${names[$tab]}")$'\n'
done
"$driver" --shots --engine "$engine" "$page" <<<"$script"
status=0
for tab in 0 1 2 3; do
    picture="$dir/tab$((tab + 1))-${names[$tab]}.png"
    # A PNG's width and height, big-endian, at bytes 16 to 23.
    size=$(od -An -tu1 -j16 -N8 "$picture" 2>/dev/null | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
    if [ "$size" != 600x460 ]; then
        echo "shots: $picture is ${size:-missing}, not 600x460"
        status=1
    fi
done
[ $status -eq 0 ] && echo "shots: the four tabs in $engine, in $dir"
exit $status
