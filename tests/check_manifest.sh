#!/bin/sh
# Checks the manifest built into the program: well-formed XML, and each Windows
# setting in the namespace where Windows looks for it (Windows refuses to start
# a program whose manifest it cannot parse; Wine does not check).
#   check_manifest.sh EXE
set -eu
exe=$1
manifest=$(mktemp)
trap 'rm -f "$manifest"' EXIT
LC_ALL=C sed -n '/<?xml/,/<\/assembly>/p' "$exe" | LC_ALL=C sed 's/.*<?xml/<?xml/; s/<\/assembly>.*/<\/assembly>/' >"$manifest"
xmllint --noout "$manifest"
status=0
# element, namespace, value
while read -r element namespace value; do
  found=$(xmllint --xpath "string(/*/*[local-name()='application']/*[local-name()='windowsSettings']/*[local-name()='$element' and namespace-uri()='$namespace'])" "$manifest")
  if [ "$found" != "$value" ]; then
    echo "expected <$element xmlns=\"$namespace\">$value, got \"$found\""
    status=1
  fi
done <<'TABLE'
activeCodePage http://schemas.microsoft.com/SMI/2019/WindowsSettings UTF-8
dpiAware http://schemas.microsoft.com/SMI/2005/WindowsSettings true/pm
dpiAwareness http://schemas.microsoft.com/SMI/2016/WindowsSettings PerMonitorV2, PerMonitor
TABLE
[ "$status" -eq 0 ] && echo "manifest of $exe: OK"
exit $status
