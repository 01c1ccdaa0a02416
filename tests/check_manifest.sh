#!/bin/sh
# Checks the manifest built into the program: well-formed XML, naming this
# program (not a template's placeholders) at its version, and each Windows
# setting in the namespace where Windows looks for it (Windows refuses to
# start a program whose manifest it cannot parse; Wine does not check).
#   check_manifest.sh EXE VERSION     (VERSION: the program's, as 1.2.3.0)
set -eu
exe=$1
version=$2
manifest=$(mktemp)
trap 'rm -f "$manifest"' EXIT
LC_ALL=C sed -n '/<?xml/,/<\/assembly>/p' "$exe" | LC_ALL=C sed 's/.*<?xml/<?xml/; s/<\/assembly>.*/<\/assembly>/' >"$manifest"
xmllint --noout "$manifest"
status=0
value() {
  xmllint --xpath "string($1)" "$manifest"
}
expect() {  # what, expected, found
  if [ "$2" != "$3" ]; then
    echo "expected $1 \"$2\", got \"$3\""
    status=1
  fi
}
identity="/*/*[local-name()='assemblyIdentity']"
expect "the assembly's name" RozUrovere.QuillmoorModManager "$(value "$identity/@name")"
assemblyVersion=$(value "$identity/@version")
expect "the assembly's version" "$version" "$assemblyVersion"
echo "$assemblyVersion" | grep -Eq '^[0-9]+(\.[0-9]+){3}$' || expect "a version of four numbers" N.N.N.N "$assemblyVersion"
description=$(value "/*/*[local-name()='description']")
case $description in
  "Quillmoor Mod Manager"*) ;;
  *) expect "a description of the program" "Quillmoor Mod Manager..." "$description" ;;
esac
# element, namespace, value
while read -r element namespace setting; do
  found=$(value "/*/*[local-name()='application']/*[local-name()='windowsSettings']/*[local-name()='$element' and namespace-uri()='$namespace']")
  expect "<$element xmlns=\"$namespace\">" "$setting" "$found"
done <<'TABLE'
activeCodePage http://schemas.microsoft.com/SMI/2019/WindowsSettings UTF-8
dpiAware http://schemas.microsoft.com/SMI/2005/WindowsSettings true/pm
dpiAwareness http://schemas.microsoft.com/SMI/2016/WindowsSettings PerMonitorV2, PerMonitor
TABLE
[ "$status" -eq 0 ] && echo "manifest of $exe: OK"
exit $status
