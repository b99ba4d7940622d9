#!/usr/bin/env bash
# portal-says.sh COMMAND...: on a D-Bus session, asks the desktop portal for
# its colour scheme, which must be LAMINO_PORTAL_SCHEME (0 none, 1 dark), then
# runs COMMAND.
set -euo pipefail
answer=$(timeout 30 gdbus call --session --dest org.freedesktop.portal.Desktop \
    --object-path /org/freedesktop/portal/desktop \
    --method org.freedesktop.portal.Settings.ReadOne org.freedesktop.appearance color-scheme 2>/dev/null) ||
    { echo "colours: no desktop portal answered" >&2; exit 1; }
[[ "$answer" == *"uint32 $LAMINO_PORTAL_SCHEME"* ]] ||
    { echo "colours: the portal's colour scheme is $answer, not $LAMINO_PORTAL_SCHEME" >&2; exit 1; }
exec "$@"
