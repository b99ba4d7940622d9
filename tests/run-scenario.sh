#!/usr/bin/env bash
# run-scenario.sh DRIVE FILE.drive: plays the scenario and compares what
# lamino-drive prints with FILE.expected, line by line.
set -uo pipefail
drive="$1"
scenario="$2"
expected="${scenario%.drive}.expected"
actual=$("$drive" < "$scenario")
status=$?
if [ $status -ne 0 ]; then
    echo "lamino-drive exited with $status"
    exit 1
fi
diff -u --label expected --label actual "$expected" <(printf '%s\n' "$actual")
