#!/usr/bin/env bash
# The generator scripts/configure-build (its path the one argument) picks for a tree at each
# path: Ninja but where Ninja misreads the path and would rebuild everything on every run.
set -u
fail=0
cb=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
while IFS=$'\t' read -r path want; do
  got=$("$cb" --print-generator "$path" 2>/dev/null) || got=refused
  [ "$got" = "$want" ] || { echo "for '$path': '$got', not '$want'"; fail=1; }
done <<'EOF_PATHS'
/home/ann/lunerra	Ninja
/home/ann/my games/lunerra	Ninja
/home/ann/[z]/lunerra	Ninja
/home/ann/$x/lunerra	Ninja
/home/ann/(/lunerra	Ninja
/home/ann/!/lunerra	Ninja
/home/ann/Bob's Games/lunerra	Unix Makefiles
/home/ann/a&b/lunerra	Unix Makefiles
/home/ann/a*b/lunerra	Unix Makefiles
/home/ann/a^b/lunerra	Unix Makefiles
/home/ann/a;b/lunerra	refused
/home/ann/#/lunerra	refused
EOF_PATHS

# What it does with the folder "build" of a tree, over a cmake on the PATH that only logs its
# arguments. Each row: the tree ("link" reaches "Bob's tree" through a symbolic link); what
# "build" holds (- nothing; N or M a build made with Ninja or the Makefiles; n a Ninja one
# without build.ninja; each cache with CMAKE_BUILD_TYPE Release, LUNERRA_TESTS ON and an
# internal entry); the arguments; the cmake call expected (- none; its arguments, each ended
# by |); the files that must be gone after it.
tmp=$(mktemp -d "${TMPDIR:-/tmp}/configure build.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin" "$tmp/my tree" "$tmp/Bob's tree"
ln -s "Bob's tree" "$tmp/link"
printf '#!/bin/sh\nprintf "%%s|" "$@" >>"$CMAKE_LOG"\n' >"$tmp/bin/cmake"
chmod +x "$tmp/bin/cmake"
while IFS=$'\t' read -r tree holds args want gone; do
  b=$tmp/$tree/build
  rm -rf "$b" "$tmp/log"
  mkdir -p "$b/sub/CMakeFiles" "$b/CMakeFiles"
  case $holds in
    N|n) g=Ninja files="build.ninja .ninja_log .ninja_deps" ;;
    M) g="Unix Makefiles" files="Makefile sub/Makefile" ;;
  esac
  [ "$holds" = - ] || printf 'CMAKE_BUILD_TYPE:STRING=Release\nCMAKE_GENERATOR:INTERNAL=%s\nLUNERRA_TESTS:BOOL=ON\nLUNERRA_SEEN:INTERNAL=1\n' \
    "$g" >"$b/CMakeCache.txt"
  [ "$holds" = n ] || [ "$holds" = - ] || for f in $files; do : >"$b/$f"; done
  read -ra argv <<<"$args"
  (cd "$tmp/$tree" && PATH=$tmp/bin:$PATH CMAKE_LOG=$tmp/log "$cb" build "${argv[@]}" >/dev/null) ||
    { echo "$tree, $holds, $args: failed"; fail=1; }
  got=-
  [ ! -e "$tmp/log" ] || got=$(<"$tmp/log")
  [ "$got" = "$want" ] || { echo "$tree, $holds, $args: cmake called with '$got', not '$want'"; fail=1; }
  for f in $gone; do
    [ ! -e "$b/$f" ] || { echo "$tree, $holds, $args: $f left"; fail=1; }
  done
done <<'EOF_BUILDS'
my tree	-	-DCMAKE_BUILD_TYPE=Debug --if-new -DLUNERRA_TESTS=OFF	-S|.|-B|build|-G|Ninja|-DCMAKE_BUILD_TYPE=Debug|-DLUNERRA_TESTS=OFF|
my tree	N	-DCMAKE_BUILD_TYPE=Release --if-new -DLUNERRA_TESTS=OFF	-
my tree	N	-DCMAKE_BUILD_TYPE=Debug --if-new -DLUNERRA_TESTS=OFF	-S|.|-B|build|-G|Ninja|-DCMAKE_BUILD_TYPE=Debug|
my tree	n	-DCMAKE_BUILD_TYPE=Release	-S|.|-B|build|-G|Ninja|-DCMAKE_BUILD_TYPE=Release|
my tree	M	-DLUNERRA_BENCH=ON	-S|.|-B|build|-G|Ninja|-DCMAKE_BUILD_TYPE:STRING=Release|-DLUNERRA_TESTS:BOOL=ON|-DLUNERRA_BENCH=ON|	CMakeCache.txt Makefile sub/Makefile CMakeFiles sub/CMakeFiles
Bob's tree	N	-DLUNERRA_BENCH=ON	-S|.|-B|build|-G|Unix Makefiles|-DCMAKE_BUILD_TYPE:STRING=Release|-DLUNERRA_TESTS:BOOL=ON|-DLUNERRA_BENCH=ON|	CMakeCache.txt build.ninja .ninja_log .ninja_deps CMakeFiles
link	-	-DA=1	-S|.|-B|build|-G|Unix Makefiles|-DA=1|
EOF_BUILDS
exit "$fail"
