#!/bin/sh
# A power cut under Wine in the middle of a switch of mod sets, an update and
# a problem search's step (tests/e2e/power_cut_test.cpp runs each phase):
#   power_cut.sh PREFIX PHASES_EXE
# Between the phases every process of the prefix, the Wine server too, is
# killed at once, so that nothing Wine kept only in memory reaches the disk.
set -eu
prefix=$1
phases=$2
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=$prefix}"
export WINEPREFIX WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

run_phase() {
  QMM_POWER_CUT=$1 sh "$here/../scripts/lib/wine-exec" "$WINEPREFIX" "$phases" >"$work/$1-$kind.log" 2>&1
}

# Every Wine process of this prefix, the Wine server among them.
wine_processes() {
  for dir in /proc/[0-9]*; do
    case "$(readlink "$dir/exe" 2>/dev/null)" in */wine*) ;; *) continue ;; esac
    tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "${dir#/proc/}"
  done
  return 0
}

cut_power() {
  # shellcheck disable=SC2046
  kill -9 $(wine_processes) 2>/dev/null || true
  tries=0
  while [ -n "$(wine_processes)" ] && [ "$tries" -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
}

start_server() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
}

work=$(mktemp -d /tmp/qmm-power-cut-XXXXXX)
status=0
for kind in ${QMM_POWER_CUT_KINDS:-switch update search}; do
  folder="$work/$kind"
  mkdir -p "$folder"
  export QMM_POWER_CUT_KIND="$kind"
  QMM_POWER_CUT_FOLDER=$(winepath -w "$folder" 2>/dev/null)
  QMM_POWER_CUT_MARK=$(winepath -w "$work/under-way-$kind" 2>/dev/null)
  export QMM_POWER_CUT_FOLDER QMM_POWER_CUT_MARK
  # The settings of the test reach the disk as Wine ends in order.
  run_phase prepare || { echo "$kind: prepare failed"; cat "$work/prepare-$kind.log"; status=1; continue; }
  wineserver -k </dev/null >/dev/null 2>&1 || true
  start_server
  run_phase cut &
  tries=0
  while [ ! -e "$work/under-way-$kind" ] && [ "$tries" -lt 1200 ]; do
    sleep 0.05
    tries=$((tries + 1))
  done
  cut_power
  wait || true
  if [ ! -e "$work/under-way-$kind" ]; then
    echo "$kind: the change never got under way"; cat "$work/cut-$kind.log"; status=1
    start_server
    continue
  fi
  start_server
  if ! run_phase after; then
    echo "$kind: not put in order after the power cut"; cat "$work/after-$kind.log"; status=1
  fi
done
rm -rf "$work"
exit $status
