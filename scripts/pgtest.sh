#!/bin/sh
# A throwaway PostgreSQL cluster for the register's tests: data and socket
# in the folder given (else a private temporary folder when an unprivileged
# user could not reach it), no TCP port, run as an unprivileged user, trust
# for the one local role "kantomix". The socket folder is written to
# DIR/socket for the tests.
#   pgtest.sh start DIR    (stops one left running there first)
#   pgtest.sh stop DIR
set -eu
cmd=$1
dir=$2
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bindir" ]; then
  echo "pgtest: no PostgreSQL server installed (sh scripts/deps.sh)" >&2
  exit 1
fi
owner=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  owner=nobody
  id postgres >/dev/null 2>&1 && owner=postgres
fi
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u "$owner" -- "$@"; else "$@"; fi
}

stop() {
  [ -f "$dir/home" ] || return 0
  home=$(cat "$dir/home")
  if [ -f "$home/data/postmaster.pid" ]; then
    as_owner "$bindir/pg_ctl" -D "$home/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  [ "$home" = "$dir/cluster" ] || rm -rf "$home"
  rm -rf "$dir/cluster" "$dir/home" "$dir/socket"
}

case $cmd in
start)
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  stop
  home="$dir/cluster"
  mkdir -p "$home"
  [ "$(id -u)" -eq 0 ] && chown "$owner" "$home"
  # The owner must reach the folder, and a socket path must stay short.
  if ! as_owner test -w "$home" || [ ${#home} -gt 80 ]; then
    rm -rf "$home"
    home=$(mktemp -d "${TMPDIR:-/tmp}/kantomix-pg.XXXXXX")
    [ "$(id -u)" -eq 0 ] && chown "$owner" "$home"
  fi
  echo "$home" >"$dir/home"
  as_owner "$bindir/initdb" -D "$home/data" -U kantomix -A trust -E UTF8 --no-locale --no-sync \
    >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
  as_owner mkdir "$home/sock"
  as_owner "$bindir/pg_ctl" -D "$home/data" -l "$home/server.log" -w -t 60 \
    -o "-c listen_addresses= -k $home/sock -c fsync=off -c shared_buffers=16MB -c max_connections=50" \
    start >/dev/null || { cat "$home/server.log" >&2; exit 1; }
  echo "$home/sock" >"$dir/socket"
  ;;
stop)
  stop
  ;;
*)
  echo "usage: pgtest.sh start|stop DIR" >&2
  exit 2
  ;;
esac
