#!/usr/bin/env bash
# Runs lintian --pedantic on the one .deb in the given folder: any error,
# warning or pedantic tag fails. Exit 77 (skipped) without lintian.
set -u
command -v lintian >/dev/null || { echo "lintian is not installed (apt-get install lintian)"; exit 77; }
debs=("$1"/*.deb)
[ "${#debs[@]}" = 1 ] && [ -f "${debs[0]}" ] || { echo "expected one .deb in $1"; exit 1; }
# As root lintian says on stderr that it should not be; that is no finding.
out=$(lintian --pedantic --display-info "${debs[0]}" 2> >(grep -v 'running with root privileges' >&2))
status=$?
printf '%s\n' "$out"
[ "$status" = 0 ] || exit "$status"
! grep -qE '^[EWP]: ' <<<"$out"
