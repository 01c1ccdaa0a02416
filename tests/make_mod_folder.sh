#!/bin/sh
# Makes a mod folder of COUNT archives, half .pak and half .mod, a quarter of
# them with a description: make_mod_folder.sh DIR COUNT
# Made anew every time, natively and in about a second: tests rename archives
# in it, and a folder left from an earlier run must not carry that over.
set -eu
dir=$1
count=$2
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"
awk -v count="$count" 'BEGIN {
  for (i = 0; i < count; i++) {
    name = sprintf("Mod number %05d", i)
    archive = name (i % 2 == 0 ? ".pak" : ".mod")
    printf "" > archive
    close(archive)
    if (i % 4 == 0) {
      printf "A description.\r\nSecond line.\r\n" > (name ".txt")
      close(name ".txt")
    }
  }
}'
[ "$(ls | wc -l)" -eq $((count + (count + 3) / 4)) ]
