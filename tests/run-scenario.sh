#!/usr/bin/env bash
# run-scenario.sh COMMAND... FILE.drive: plays the scenario with the driver
# COMMAND (lamino-drive, or a loader and lamino-drive.exe) and compares what
# it prints with FILE.expected, line by line.
set -uo pipefail
scenario="${*: -1}"
drive=("${@:1:$#-1}")
expected="${scenario%.drive}.expected"
actual=$("${drive[@]}" < "$scenario")
status=$?
if [ $status -ne 0 ]; then
    echo "lamino-drive exited with $status"
    exit 1
fi
diff -u --label expected --label actual "$expected" <(printf '%s\n' "$actual")
