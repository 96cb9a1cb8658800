#!/bin/sh
# Folders where saving fails for real, for the platform tests under Wine:
#   DIR/full       a 64 KiB tmpfs, empty (the test fills it)
#   DIR/read-only  a read-only tmpfs holding filelist.txt
# Mounting needs root; without it the folders stay unmounted and the tests
# that need them say so and skip. Never fails the run itself.
#   fault-folders.sh setup|cleanup DIR
dir=$2
[ -n "$dir" ] || exit 0
case "$1" in
setup)
  "$0" cleanup "$dir"
  mkdir -p "$dir/full" "$dir/read-only"
  if mount -t tmpfs -o size=64k tmpfs "$dir/full" 2>/dev/null &&
     mount -t tmpfs -o size=64k tmpfs "$dir/read-only" 2>/dev/null; then
    printf ' 100 \r\n 5 \r\n 1 \r\nold\r\nC:\\old.exe\r\n' >"$dir/read-only/filelist.txt"
    mount -o remount,ro "$dir/read-only"
    echo "fault folders mounted in $dir"
  else
    echo "fault folders not mounted (needs root): the tests that need them skip"
  fi
  ;;
cleanup)
  for sub in full read-only; do
    mountpoint -q "$dir/$sub" 2>/dev/null && umount "$dir/$sub"
  done
  rm -rf "$dir"
  ;;
esac
exit 0
