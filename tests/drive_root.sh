#!/bin/sh
# Maps, or unmaps, drive Q: of the test prefix to an empty folder, so that tests
# can use a real drive root: drive_root.sh map|unmap PREFIX
# Map it before Wine's services start: the shell's folder browser lists only the
# drives that were there then.
set -eu
action=$1
prefix=$2
# Beside the prefix, so that test runs of two checkouts never share it.
target="$prefix-drive-q"
link="$prefix/dosdevices/q:"
case "$action" in
  map)
    rm -rf "$target"
    mkdir -p "$target"
    ln -sfn "$target" "$link"
    ;;
  unmap)
    rm -f "$link"
    rm -rf "$target"
    ;;
esac
