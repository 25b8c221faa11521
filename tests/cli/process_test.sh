#!/usr/bin/env bash
# vantrel-solve as a process: exit statuses, and that errors leave stdout empty.
set -u
solve=$1
failures=0

check() {  # check NAME EXPECTED_STATUS EXPECTED_STDOUT_FILE_OR_EMPTY -- ARGS...
  local name=$1 want=$2 wantOut=$3
  shift 4
  local out status
  out=$("$solve" "$@" 2>/dev/null </dev/null)
  status=$?
  if [ "$status" != "$want" ]; then
    echo "FAIL $name: status $status, expected $want"; failures=$((failures + 1))
  elif [ -n "$wantOut" ] && [ "$out" != "$wantOut" ]; then
    echo "FAIL $name: stdout '$out', expected '$wantOut'"; failures=$((failures + 1))
  elif [ -z "$wantOut" ] && [ "$want" = 2 ] && [ -n "$out" ]; then
    echo "FAIL $name: printed '$out' on a usage error"; failures=$((failures + 1))
  fi
}

check solved 0 "$(printf '8 / (3 - 8 / 3)\n共有1种算法！')" -- 3 3 8 8
check missing 1 "请输入4个数字！" -- 1 "" 3 4
check letters 2 "" -- 1 2 3 a
check count 2 "" -- 1 2 3

# Batch: a bad line is named on stderr and the status is 2 at the end.
err=$(printf '1 2 3 4\nfoo\n' | "$solve" 2>&1 >/dev/null)
status=$?
[ "$status" = 2 ] || { echo "FAIL batch: status $status"; failures=$((failures + 1)); }
[[ "$err" == *"line 2"* ]] || { echo "FAIL batch: stderr '$err'"; failures=$((failures + 1)); }

# A closed stdout is an error, not a success.
if [ -w /dev/full ]; then
  "$solve" 1 2 3 4 >/dev/full 2>/dev/null
  status=$?
  [ "$status" != 0 ] || { echo "FAIL full disk reported success"; failures=$((failures + 1)); }
fi

[ "$failures" = 0 ] && echo "all process checks passed"
exit "$failures"
