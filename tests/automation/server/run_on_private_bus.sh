#!/bin/sh
# Runs a command on a private session bus whose daemon sees a private
# XDG_DATA_HOME (its service folder is where -RegServer writes), then removes
# that folder. Usage: run_on_private_bus.sh COMMAND [ARGS...]
set -eu
XDG_DATA_HOME=$(mktemp -d "${TMPDIR:-/tmp}/qrtcomserver-test.XXXXXX")
export XDG_DATA_HOME
trap 'rm -rf "$XDG_DATA_HOME"' EXIT
dbus-run-session -- "$@" 2>&1
