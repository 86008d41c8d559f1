# SPDX-License-Identifier: GPL-3.0-or-later
# Functions to start and stop a throwaway PostgreSQL server on loopback.
# Source this file; pg_start DIR exports KEROVA_TEST_PG* for the tests.

pg_bindir() {
  ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1
}

# Runs a command as the server's owner: the server refuses to run as root.
pg_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

pg_free_port() {
  local port
  for port in $(seq 55432 55532); do
    if ! (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null; then echo "$port"; return 0; fi
  done
  return 1
}

# pg_server BIN start|stop: starts the server on PG_PORT or stops it (fast).
pg_server() {
  case $2 in
    start) pg_as_owner "$1/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w \
             -o "-p $PG_PORT -k $PG_DIR -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null ;;
    stop) pg_as_owner "$1/pg_ctl" -D "$PG_DIR/data" -m fast -w stop >/dev/null ;;
  esac
}

# Writes PG_DIR/ctl, which the fault tests run to stop and start the server
# under a running application ("ctl stop", "ctl start").
pg_write_ctl() {
  {
    echo '#!/usr/bin/env bash'
    declare -f pg_as_owner pg_server
    echo "PG_DIR='$PG_DIR' PG_PORT='$PG_PORT'"
    echo "pg_server '$1' \"\$1\""
  } >"$PG_DIR/ctl"
  chmod 755 "$PG_DIR/ctl"
}

pg_start() {
  local wanted=$1 bin
  bin=$(pg_bindir)
  [ -n "$bin" ] || { echo "PostgreSQL server binaries not found" >&2; return 1; }
  PG_DIR=$wanted
  mkdir -p "$PG_DIR"
  [ "$(id -u)" -eq 0 ] && chown postgres: "$PG_DIR"
  # The server's owner must reach the folder; fall back to /tmp when it cannot.
  if ! pg_as_owner test -w "$PG_DIR"; then
    rmdir "$PG_DIR" 2>/dev/null || true
    PG_DIR=$(mktemp -d /tmp/kerova-pg.XXXXXX)
    [ "$(id -u)" -eq 0 ] && chown postgres: "$PG_DIR"
  fi
  PG_PORT=$(pg_free_port)
  pg_as_owner "$bin/initdb" -D "$PG_DIR/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >"$PG_DIR/initdb.log" 2>&1 \
    || { cat "$PG_DIR/initdb.log" >&2; return 1; }
  pg_server "$bin" start || { cat "$PG_DIR/server.log" >&2; return 1; }
  pg_write_ctl "$bin"
  export KEROVA_TEST_PGHOST=127.0.0.1 KEROVA_TEST_PGPORT=$PG_PORT KEROVA_TEST_PGUSER=postgres
  export KEROVA_TEST_PGCTL=$PG_DIR/ctl
  echo "PostgreSQL test server on 127.0.0.1:$PG_PORT ($PG_DIR)"
}

pg_stop() {
  [ -n "${PG_DIR:-}" ] || return 0
  pg_as_owner "$(pg_bindir)/pg_ctl" -D "$PG_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$PG_DIR"
  PG_DIR=
}
