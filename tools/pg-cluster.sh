# A temporary PostgreSQL cluster on this machine for the tests and the
# benchmarks: made in a temporary folder, listening on 127.0.0.1 at a free
# port, run by an unprivileged user when we are root, and removed by
# stop_pg_cluster (call it from a trap on EXIT, so nothing is left running).
#
#   install_pg_server  the server programs, when they are missing
#   start_pg_cluster   exports ROTAWISE_TEST_PG_URI (the maintenance database,
#                      user rotawise, no password; the server offers no TLS),
#                      ROTAWISE_TEST_PG_LOCKED_URI (a user whose password is
#                      asked and is "right"), and ROTAWISE_TEST_PG_TLS_URI with
#                      ROTAWISE_TEST_PG_TLS_ROOT: a second server, a copy of
#                      the first on its own port, that speaks TLS with a
#                      self-signed certificate for "db.test" and 127.0.0.1
#                      (the root certificate to trust)
#   stop_pg_cluster

PG_CLUSTER_DIR=""

# Installs the PostgreSQL server programs without the cluster and the running
# service Debian's package would otherwise make: the tests start their own.
install_pg_server() {
  dpkg-query -W -f='${Status}' postgresql 2>/dev/null | grep -q "install ok installed" && return 0
  local sudo="" drop_in=/etc/postgresql-common/createcluster.d/rotawise-tests.conf
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: postgresql (without a cluster of its own)"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq postgresql-common
  $sudo mkdir -p "$(dirname "$drop_in")"
  echo "create_main_cluster = false" | $sudo tee "$drop_in" >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq postgresql || {
    $sudo rm -f "$drop_in"; return 1; }
  $sudo rm -f "$drop_in"
}

pg_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi
}

pg_free_port() {
  local port
  for port in $(seq 55432 55532); do
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then echo "$port"; return 0; fi
  done
  return 1
}

start_pg_cluster() {
  local bin
  bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)"
  [ -x "$bin/initdb" ] || { echo "PostgreSQL is not installed (initdb not found)" >&2; return 1; }
  PG_CLUSTER_DIR="$(mktemp -d /tmp/rotawise-pg.XXXXXX)"
  PG_CLUSTER_BIN="$bin"
  [ "$(id -u)" -eq 0 ] && chown nobody "$PG_CLUSTER_DIR"
  pg_as_owner "$bin/initdb" -D "$PG_CLUSTER_DIR/data" -U rotawise -E UTF8 --no-locale \
    --auth-local=trust --auth-host=trust >"$PG_CLUSTER_DIR/initdb.log" 2>&1 || {
    cat "$PG_CLUSTER_DIR/initdb.log" >&2; return 1; }
  # One user must give its password, so a wrong one can be tried.
  { echo "host all locked 127.0.0.1/32 scram-sha-256"; cat "$PG_CLUSTER_DIR/data/pg_hba.conf"; } \
    >"$PG_CLUSTER_DIR/hba" && pg_as_owner cp "$PG_CLUSTER_DIR/hba" "$PG_CLUSTER_DIR/data/pg_hba.conf"
  # The TLS server is a copy of the new cluster (cheaper than a second initdb).
  pg_as_owner cp -a "$PG_CLUSTER_DIR/data" "$PG_CLUSTER_DIR/data-tls"
  pg_tls_certificate "$PG_CLUSTER_DIR/tls" || return 1
  local port tls_port
  port="$(pg_free_port)" || { echo "no free port for PostgreSQL" >&2; return 1; }
  pg_start_server data "$port" "" || return 1
  tls_port="$(pg_free_port)" || { echo "no free port for PostgreSQL" >&2; return 1; }
  pg_start_server data-tls "$tls_port" "-c ssl=on -c ssl_cert_file=$PG_CLUSTER_DIR/tls/server.crt -c ssl_key_file=$PG_CLUSTER_DIR/tls/server.key" || return 1
  "$bin/psql" -q -h 127.0.0.1 -p "$port" -U rotawise -d postgres \
    -c "CREATE ROLE locked LOGIN PASSWORD 'right' CREATEDB" >/dev/null
  export ROTAWISE_TEST_PG_URI="postgresql://rotawise@127.0.0.1:$port/postgres"
  export ROTAWISE_TEST_PG_LOCKED_URI="postgresql://locked@127.0.0.1:$port/postgres"
  export ROTAWISE_TEST_PG_TLS_URI="postgresql://rotawise@127.0.0.1:$tls_port/postgres"
  export ROTAWISE_TEST_PG_TLS_ROOT="$PG_CLUSTER_DIR/tls/server.crt"
  echo "PostgreSQL test servers on 127.0.0.1:$port and, with TLS, :$tls_port ($PG_CLUSTER_DIR)" >&2
}

# A self-signed certificate (its own root) for the names the tests use, with
# a key only the server's owner may read, as PostgreSQL demands.
pg_tls_certificate() {
  local dir="$1"
  mkdir -p "$dir" && chmod 755 "$dir"
  openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 \
    -subj "/CN=db.test" -addext "subjectAltName=DNS:db.test,IP:127.0.0.1" \
    -keyout "$dir/server.key" -out "$dir/server.crt" >"$dir/openssl.log" 2>&1 || {
    cat "$dir/openssl.log" >&2; return 1; }
  chmod 600 "$dir/server.key"
  chmod 644 "$dir/server.crt"
  [ "$(id -u)" -eq 0 ] && chown nobody "$dir/server.key"
  return 0
}

# Starts the cluster in folder $1 of PG_CLUSTER_DIR on port $2, with the
# settings $3 added. Test data need not survive a power cut: no waiting for
# the disk, unless PG_CLUSTER_DURABLE=1 (the benchmarks time a server as a
# business runs it).
pg_start_server() {
  local data="$PG_CLUSTER_DIR/$1" speed="-c fsync=off -c synchronous_commit=off -c full_page_writes=off"
  [ "${PG_CLUSTER_DURABLE:-0}" = 1 ] && speed=""
  pg_as_owner "$PG_CLUSTER_BIN/pg_ctl" -D "$data" -l "$data.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $2 -k $PG_CLUSTER_DIR $speed -c max_connections=200 $3" \
    start >/dev/null || { cat "$data.log" >&2; return 1; }
}

stop_pg_cluster() {
  [ -n "$PG_CLUSTER_DIR" ] || return 0
  local data
  for data in "$PG_CLUSTER_DIR/data" "$PG_CLUSTER_DIR/data-tls"; do
    if [ -f "$data/postmaster.pid" ]; then
      pg_as_owner "$PG_CLUSTER_BIN/pg_ctl" -D "$data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
  done
  rm -rf "$PG_CLUSTER_DIR"
  PG_CLUSTER_DIR=""
}
