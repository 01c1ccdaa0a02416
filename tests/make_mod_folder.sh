#!/bin/sh
# Makes a mod folder of COUNT archives, half .pak and half .mod, a quarter of
# them with a description: make_mod_folder.sh DIR COUNT
# Made natively, in seconds: under Wine each new name costs a scan of the folder.
set -eu
dir=$1
count=$2
[ -f "$dir/.complete-$count" ] && exit 0
rm -rf "$dir"
mkdir -p "$dir"
i=0
while [ "$i" -lt "$count" ]; do
  name=$(printf 'Mod number %05d' "$i")
  if [ $((i % 2)) -eq 0 ]; then : >"$dir/$name.pak"; else : >"$dir/$name.mod"; fi
  if [ $((i % 4)) -eq 0 ]; then printf 'A description.\r\nSecond line.\r\n' >"$dir/$name.txt"; fi
  i=$((i + 1))
done
: >"$dir/.complete-$count"
