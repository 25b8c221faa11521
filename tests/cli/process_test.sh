#!/usr/bin/env bash
# vantrel-solve as a process: exit statuses, I/O errors, and the batch as a
# filter that answers each line before it reads the next.
set -u
solve=$1
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

check() {  # check NAME EXPECTED_STATUS EXPECTED_STDOUT_FILE_OR_EMPTY -- ARGS...
  local name=$1 want=$2 wantOut=$3
  shift 4
  local out status
  out=$("$solve" "$@" 2>/dev/null </dev/null)
  status=$?
  if [ "$status" != "$want" ]; then
    fail "$name: status $status, expected $want"
  elif [ -n "$wantOut" ] && [ "$out" != "$wantOut" ]; then
    fail "$name: stdout '$out', expected '$wantOut'"
  elif [ -z "$wantOut" ] && [ "$want" = 2 ] && [ -n "$out" ]; then
    fail "$name: printed '$out' on a usage error"
  fi
}

check solved 0 "$(printf '8 / (3 - 8 / 3)\n共有1种算法！')" -- 3 3 8 8
check missing 1 "请输入4个数字！" -- 1 "" 3 4
check letters 2 "" -- 1 2 3 a
check count 2 "" -- 1 2 3 4 5 6 7 8

# Batch: a bad line is named on stderr and the status is 2 at the end.
err=$(printf '1 2 3 4\nfoo\n' | "$solve" 2>&1 >/dev/null)
status=$?
[ "$status" = 2 ] || fail "batch: status $status"
[[ "$err" == *"line 2"* ]] || fail "batch: stderr '$err'"

# A failed read or write: status 3 and one line with the system's reason.
ioError() {  # ioError NAME EXPECTED_REASON -- COMMAND...
  local name=$1 reason=$2
  shift 3
  local err status
  err=$("$@" 2>&1 >/dev/null)
  status=$?
  [ "$status" = 3 ] || fail "$name: status $status, expected 3"
  [[ "$err" == "vantrel-solve: "*"$reason" && "$err" != *$'\n'* ]] || fail "$name: stderr '$err'"
}
ioError "directory as input" "Is a directory" -- bash -c '"$0" </' "$solve"
ioError "closed input" "Bad file descriptor" -- bash -c '"$0" <&-' "$solve"
ioError "closed output" "Bad file descriptor" -- bash -c '"$0" 1 2 3 4 >&-' "$solve"
if [ -w /dev/full ]; then
  ioError "full disk" "No space left on device" -- bash -c '"$0" --help >/dev/full' "$solve"
  ioError "full disk, batch" "No space left on device" -- \
    bash -c 'yes 1 2 3 4 | "$0" >/dev/full' "$solve"
fi

# As a co-process: each line's answer arrives while the input stays open.
coproc SOLVER { "$solve"; }
for hand in "3 3 8 8" "1 1 1 1" "1 2 3"; do
  echo "$hand" >&"${SOLVER[1]}"
  line=""
  IFS= read -r -t 10 line <&"${SOLVER[0]}" || fail "co-process: no answer to '$hand'"
  case $hand in
    "3 3 8 8") [ "$line" = "8 / (3 - 8 / 3)" ] || fail "co-process: '$line' for '$hand'" ;;
    *) [ "$line" = "电脑我也算不出啦：（" ] || fail "co-process: '$line' for '$hand'" ;;
  esac
  while IFS= read -r -t 10 line <&"${SOLVER[0]}" && [ -n "$line" ]; do :; done
done
pid=$SOLVER_PID
eval "exec ${SOLVER[1]}>&-"
wait "$pid" || fail "co-process: status $?"

# Endless input ends quietly once the reader has gone; a line of 10 MB is
# refused in one short message and the next line is still solved.
out=$(timeout 60 bash -c 'yes 1 2 3 4 | "$0" 2>&1 | head -n 1; exit "${PIPESTATUS[1]}"' "$solve")
status=$?
[ "$status" = 141 ] && [ "$out" = "(1 + 2 + 3)×4" ] || fail "endless input: status $status, '$out'"
err=$( { head -c 10000000 /dev/zero | tr '\0' 7; printf '\n3 3 8 8\n'; } | "$solve" 2>&1 >/dev/null)
status=$?
[ "$status" = 2 ] && [ "$err" = "vantrel-solve: line 1: longer than 4096 bytes" ] ||
  fail "long line: status $status, stderr '${err:0:200}'"

[ "$failures" = 0 ] && echo "all process checks passed"
exit "$failures"
