#!/bin/bash
# Command lines that name no mode the saver can run end with -1 at once and show nothing.
source "$(dirname "$0")/lib.sh"
begin_case bad-arguments

index=0
for argument in '/p' '/p abc' '/p:1234' '/p 0' '/x' '/a'; do
  index=$((index + 1))
  out=$CASE_DIR/run$index.out
  driver "$out" 60 spawn 10000 "C:\\saver\\lomlom.scr $argument"
  expect "'$argument': exit code" -1 "$(value "$out" exit)"
  expect "'$argument': saver windows shown" 0 "$(value "$out" windows_seen)"
  elapsed=$(value "$out" elapsed_ms)
  expect "'$argument': ended within 5 s (took ${elapsed:-?} ms)" 1 $((${elapsed:-99999} < 5000))
done

# Wine hands the exit code to the shell, where -1 reads as 255.
timeout 30 "$WINE" 'C:\saver\lomlom.scr' /x >"$CASE_DIR/shell.out" 2>&1
expect "'/x' started by Wine: shell exit status" 255 $?
