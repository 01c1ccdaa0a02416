# Counts what every suite did, from the XML that the test programs and ctest
# write. Source it after common.sh.
#
# run_suite NAME CTEST-ARGS...: runs ctest with each test program writing its
# results to build/test-results/NAME, then adds them to the totals.
# report_results: lists the skipped tests, prints the summary line and
# returns non-zero when a test failed or was skipped without a reason allowed.

passed=0
failed=0
skipped=0
skip_list=""
unallowed_skips=0

xml_count() {
  xmllint --xpath "count($2)" "$1" 2>/dev/null || echo 0
}

xml_string() {
  xmllint --xpath "string($2)" "$1" 2>/dev/null || true
}

# A skip is allowed only for a test that needs root, on a run that is not root.
note_skip() {
  skip_list="$skip_list
  $1: $2"
  case "$2" in
    *"needs root"*) [ "$(id -u)" != 0 ] && return 0 ;;
  esac
  unallowed_skips=$((unallowed_skips + 1))
}

run_suite() {
  name=$1
  shift
  results="$root/build/test-results/$name"
  rm -rf "$results"
  mkdir -p "$results"
  # Test programs under Wine see the build folder on drive Z:.
  case "$name" in
    native) GTEST_OUTPUT="xml:$results/" ;;
    *) GTEST_OUTPUT="xml:Z:$results/" ;;
  esac
  export GTEST_OUTPUT
  suite_status=0
  ctest "$@" --output-junit "$results/ctest.xml" || suite_status=$?
  unset GTEST_OUTPUT
  count_suite "$results"
  return $suite_status
}

count_suite() {
  suite_results=$1
  tests=$(xml_count "$suite_results/ctest.xml" "//testcase")
  i=1
  while [ "$i" -le "$tests" ]; do
    test="(//testcase)[$i]"
    test_name=$(xml_string "$suite_results/ctest.xml" "$test/@name")
    case_status=$(xml_string "$suite_results/ctest.xml" "$test/@status")
    xml="$suite_results/$test_name.xml"
    if [ -f "$xml" ] && ! xmllint --noout "$xml" 2>/dev/null; then
      echo "$test_name: its results are not readable XML"
      failed=$((failed + 1))
    elif [ -f "$xml" ]; then
      # A test program: count its own tests, and the program's failure too
      # when it failed without a failing test (a crash at exit, say).
      all=$(xml_count "$xml" "//testcase")
      bad=$(xml_count "$xml" "//testcase[failure]")
      skips=$(xml_count "$xml" "//testcase[@result='skipped']")
      [ "$case_status" = fail ] && [ "$bad" -eq 0 ] && bad=1 && all=$((all + 1))
      passed=$((passed + all - bad - skips))
      failed=$((failed + bad))
      skipped=$((skipped + skips))
      j=1
      while [ "$j" -le "$skips" ]; do
        case_path="(//testcase[@result='skipped'])[$j]"
        reason=$(xml_string "$xml" "$case_path/skipped/@message" | tail -n 1)
        note_skip "$test_name $(xml_string "$xml" "$case_path/@classname").$(xml_string "$xml" "$case_path/@name")" "$reason"
        j=$((j + 1))
      done
    else
      case "$case_status" in
        run) passed=$((passed + 1)) ;;
        fail) failed=$((failed + 1)) ;;
        *) skipped=$((skipped + 1)); note_skip "$test_name" "not run ($case_status)" ;;
      esac
    fi
    i=$((i + 1))
  done
}

report_results() {
  if [ "$skipped" -gt 0 ]; then
    echo "Skipped:$skip_list"
  fi
  echo "$passed passed, $failed failed, $skipped skipped"
  [ "$failed" -eq 0 ] && [ "$unallowed_skips" -eq 0 ]
}
