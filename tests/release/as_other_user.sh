#!/bin/sh
# Runs a test program as a user without root's rights: as root every file is writable, so only
# another user meets the permissions of an installed program folder. Run as root, a user made for
# the tests (created when missing) runs it; run as anyone else, that user runs it.
set -eu
if [ "$(id -u)" -ne 0 ]; then exec "$@"; fi
user=fathomer-tests
if ! id -u "$user" >/dev/null 2>&1; then
    # Another run may create the user at the same moment: what counts is that it exists.
    useradd --system --user-group --no-create-home --shell /usr/sbin/nologin "$user" 2>/dev/null ||
        id -u "$user" >/dev/null || { echo "as_other_user: cannot create the user $user" >&2; exit 1; }
fi
home=$(mktemp -d)
chown "$user:" "$home"
status=0
setpriv --reuid="$user" --regid="$user" --clear-groups -- env HOME="$home" "$@" || status=$?
rm -rf "$home"
exit $status
